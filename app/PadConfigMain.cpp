#include "app/PadConfigMain.h"

#include "app/ArtworkIcon.h"
#include "app/TForm1.h"
#include "common/Version.h"
#include "common/WindowSystem.h"
#include "devicelink/WindowMessage.h"
#include "keypad/ReportPause.h"
#include "look/PadLook.h"
#include "model/FileSystemName.h"

#include <QApplication>
#include <QMessageBox>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <optional>
#include <string_view>
#include <vector>

namespace pad {
namespace {

constexpr const char* HelpText =
    "Usage: padconfig [QT-OPTION...] [FILE]\n"
    "       padconfig [QT-OPTION...] -- FILE\n"
    "Assign keys, mouse buttons and macros to the Corvask 12 Gaming Keypad, keep them\n"
    "in .qd6 profiles and download a profile into the keypad.\n"
    "\n"
    "  FILE         the profile to open at start; the last argument names it\n"
    "  --           ends the options: what follows is a file name, even one that\n"
    "               starts with -\n"
    "  -h, --help   print this help and exit\n"
    "  --version    print the version and exit\n"
    "\n"
    "Qt's own options, such as -platform NAME, -style NAME or -reverse, go to Qt.\n"
    "See padconfig(1) for the environment variables and files.\n";

// --help and --version are answered before Qt starts, so that they need no display
// and open no window. Returns the exit status when one of them was given.
std::optional<int> AnswerInformationOption(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--")
            break;
        if (argument == "--help" || argument == "-h") {
            std::fputs(HelpText, stdout);
            return 0;
        }
        if (argument == "--version") {
            std::printf("padconfig %s\n", ProjectVersion);
            return 0;
        }
    }
    return std::nullopt;
}

// What is left of the arguments once Qt has taken its own: an argument that still
// starts with "-" is an option nobody knows.
const char* FirstUnknownOption(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument.size() > 1 && argument.front() == '-')
            return argv[i];
    }
    return nullptr;
}

// The position of "--" among the arguments, or argc when there is none.
int SeparatorIndex(int argc, char** argv) {
    int separator = std::min(argc, 1);
    while (separator < argc && std::string_view(argv[separator]) != "--")
        ++separator;
    return separator;
}

// The application name is the class of the X11 windows' WM_CLASS, which the menu
// entry's StartupWMClass names; on Wayland the desktop file name is the windows'
// app id, by which the desktop finds the menu entry and its icon.
void NameApplication(QApplication& app) {
    app.setApplicationName("Corvask 12");
    app.setOrganizationName("PadConfig");
    QGuiApplication::setDesktopFileName(QString::fromLatin1(AppId));
}

// Shows the main window and runs the message loop. Linux hands the arguments over
// already split; the program's own path comes first. The names keep their bytes,
// whatever their encoding. The window reads them when the posted message arrives,
// after the message loop has started.
void RunMainWindow(const DeviceLinkPort& deviceLink, const std::vector<std::u16string>& arguments) {
    Workspace workspace;
    TForm1Options options;
    options.deviceLink = deviceLink;
    options.reportPause = ReportPauseFromEnvironment();
    TForm1 form(workspace, options); // its dialogs are made when first needed
    form.show();
    form.PendingCommandLine = arguments;
    WindowMessage::post(&form, OpenProfileMessage,
                        reinterpret_cast<std::uintptr_t>(&form.PendingCommandLine), 1);
    QApplication::exec();
}

} // namespace

int RunPadConfig(int argc, char** argv, const DeviceLinkPort& deviceLink) {
    // Qt takes its own options (-reverse, -style, ...) out of the arguments it gets.
    // It gets only those before "--", so `padconfig -- FILE` opens FILE whatever its
    // name; "--" itself names nothing.
    if (const std::optional<int> status = AnswerInformationOption(argc, argv))
        return *status;
    const int separator = SeparatorIndex(argc, argv);
    std::vector<char*> qtArgv(argv, argv + separator);
    const bool noDisplay = StartOffscreenWithoutDisplay(qtArgv);
    int qtArgc = int(qtArgv.size());
    qtArgv.push_back(nullptr);
    QApplication app(qtArgc, qtArgv.data());
    if (const char* unknown = FirstUnknownOption(qtArgc, qtArgv.data())) {
        std::fprintf(stderr,
                     "padconfig: unknown option '%s'\n"
                     "Try 'padconfig --help' for more information.\n",
                     unknown);
        return 2;
    }
    if (noDisplay) {
        std::fprintf(stderr, "padconfig: %s\n", NoDisplayMessage);
        return 1;
    }
    NameApplication(app);
    std::vector<std::u16string> arguments;
    for (int i = 0; i < qtArgc; ++i)
        arguments.push_back(DecodeFileName(qtArgv[std::size_t(i)]));
    for (int i = separator + 1; i < argc; ++i)
        arguments.push_back(DecodeFileName(argv[i]));
    try {
        ApplyLook(app);
        app.setWindowIcon(ArtworkIcon("icon"));
        RunMainWindow(deviceLink, arguments);
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, "Corvask 12", QString::fromLocal8Bit(error.what()));
    }
    return 0;
}

} // namespace pad

#include "app/PadConfigMain.h"

#include "app/KeyedBitmap.h"
#include "app/TForm1.h"
#include "common/Version.h"
#include "devicelink/WindowMessage.h"
#include "download/ReportPause.h"
#include "profile/FileSystemName.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QPalette>
#include <QPixmap>
#include <QStyleFactory>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <optional>
#include <string_view>
#include <vector>

namespace pad {
namespace {

// A dark look that suits the keypad picture in every mode colour.
void ApplyLook(QApplication& app) {
    app.setStyle(QStyleFactory::create("Fusion"));
    QPalette p;
    p.setColor(QPalette::Window, QColor(0x2b, 0x2e, 0x33));
    p.setColor(QPalette::WindowText, QColor(0xe6, 0xe8, 0xeb));
    p.setColor(QPalette::Base, QColor(0x1e, 0x20, 0x24));
    p.setColor(QPalette::AlternateBase, QColor(0x26, 0x29, 0x2e));
    p.setColor(QPalette::Text, QColor(0xe6, 0xe8, 0xeb));
    p.setColor(QPalette::Button, QColor(0x33, 0x37, 0x3d));
    p.setColor(QPalette::ButtonText, QColor(0xe6, 0xe8, 0xeb));
    p.setColor(QPalette::ToolTipBase, QColor(0xff, 0xfb, 0xe6));
    p.setColor(QPalette::ToolTipText, QColor(0x20, 0x20, 0x20));
    p.setColor(QPalette::Highlight, QColor(0x2f, 0x9b, 0xd6));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Link, QColor(0x4f, 0xc3, 0xf7));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(0x80, 0x84, 0x8a));
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x80, 0x84, 0x8a));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x80, 0x84, 0x8a));
    app.setPalette(p);
}

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

} // namespace

int RunPadConfig(int argc, char** argv, const DeviceLinkPort& deviceLink) {
    // Qt takes its own options (-reverse, -style, ...) out of the arguments it gets.
    // It gets only those before "--", so `padconfig -- FILE` opens FILE whatever its
    // name; "--" itself names nothing.
    if (const std::optional<int> status = AnswerInformationOption(argc, argv))
        return *status;
    int separator = std::min(argc, 1);
    while (separator < argc && std::string_view(argv[separator]) != "--")
        ++separator;
    int qtArgc = separator;
    std::vector<char*> qtArgv(argv, argv + separator);
    qtArgv.push_back(nullptr);
    QApplication app(qtArgc, qtArgv.data());
    if (const char* unknown = FirstUnknownOption(qtArgc, qtArgv.data())) {
        std::fprintf(stderr,
                     "padconfig: unknown option '%s'\n"
                     "Try 'padconfig --help' for more information.\n",
                     unknown);
        return 2;
    }
    app.setApplicationName("Corvask 12");
    app.setOrganizationName("PadConfig");
    try {
        ApplyLook(app);
        app.setWindowIcon(QIcon(QPixmap::fromImage(KeyedToAlpha(LoadKeyedBitmap("icon")))));
        Workspace workspace;
        TForm1Options options;
        options.deviceLink = deviceLink;
        options.reportPause = ReportPauseFromEnvironment();
        TForm1 form(workspace, options); // its dialogs are made when first needed
        form.show();

        // Linux hands the arguments over already split; the program's own path comes
        // first. The names keep their bytes, whatever their encoding. The window reads
        // them when the posted message arrives, after the message loop has started.
        for (int i = 0; i < qtArgc; ++i)
            form.PendingCommandLine.push_back(DecodeFileName(qtArgv[std::size_t(i)]));
        for (int i = separator + 1; i < argc; ++i)
            form.PendingCommandLine.push_back(DecodeFileName(argv[i]));
        WindowMessage::post(&form, OpenProfileMessage,
                            reinterpret_cast<std::uintptr_t>(&form.PendingCommandLine), 1);
        app.exec();
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, "Corvask 12", QString::fromLocal8Bit(error.what()));
    }
    return 0;
}

} // namespace pad

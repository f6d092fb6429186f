#include "app/PadConfigMain.h"

#include "app/ArtworkIcon.h"
#include "app/CommandLine.h"
#include "app/TForm1.h"
#include "common/Version.h"
#include "common/WindowSystem.h"
#include "keypad/ReportPause.h"
#include "look/PadLook.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <exception>
#include <string_view>
#include <vector>

namespace pad {
namespace {

// The application name is the class of the X11 windows' WM_CLASS, which the menu
// entry's StartupWMClass names; on Wayland the desktop file name is the windows'
// app id, by which the desktop finds the menu entry and its icon.
void NameApplication(QApplication& app) {
    app.setApplicationName(QString::fromLatin1(PadConfigApplicationName));
    app.setOrganizationName("PadConfig");
    QGuiApplication::setDesktopFileName(QString::fromLatin1(AppId));
}

// Shows the main window and runs the event loop. Linux hands the arguments over
// already split; the program's own path comes first. The names keep their bytes,
// whatever their encoding. The window opens the profile they name once the event
// loop has started.
void RunMainWindow(const DeviceLinkPort& deviceLink, const std::vector<std::u16string>& arguments) {
    Workspace workspace;
    TForm1Options options;
    options.deviceLink = deviceLink;
    options.reportPause = ReportPauseFromEnvironment();
    TForm1 form(workspace, options); // its dialogs are made when first needed
    form.show();
    form.OpenCommandLineLater(arguments);
    QApplication::exec();
}

} // namespace

int RunPadConfig(int argc, char** argv, const DeviceLinkPort& deviceLink) {
    const std::vector<std::string_view> given(argv, argv + argc);
    switch (RequestedInformation(given)) {
    case CommandLineRequest::Help:
        std::fputs(CommandLineHelp, stdout);
        return 0;
    case CommandLineRequest::Version:
        std::printf("padconfig %s\n", ProjectVersion);
        return 0;
    case CommandLineRequest::Run:
        break;
    }
    const std::size_t separator = SeparatorPosition(given);
    std::vector<char*> qtArgv(argv, argv + separator);
    const bool noDisplay = StartOffscreenWithoutDisplay(qtArgv);
    int qtArgc = int(qtArgv.size());
    qtArgv.push_back(nullptr);
    QApplication app(qtArgc, qtArgv.data());
    std::vector<std::string_view> left(qtArgv.data(), qtArgv.data() + qtArgc);
    left.insert(left.end(), given.begin() + std::ptrdiff_t(separator), given.end());
    const ProgramArguments arguments = ReadProgramArguments(left);
    if (!arguments.problem.empty()) {
        std::fprintf(stderr,
                     "padconfig: %s\n"
                     "Try 'padconfig --help' for more information.\n",
                     arguments.problem.c_str());
        return 2;
    }
    if (noDisplay) {
        std::fprintf(stderr, "padconfig: %s\n", NoDisplayMessage);
        return 1;
    }
    NameApplication(app);
    try {
        ApplyLook(app);
        app.setWindowIcon(ArtworkIcon("icon"));
        RunMainWindow(deviceLink, arguments.arguments);
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, "Corvask 12", QString::fromLocal8Bit(error.what()));
    }
    return 0;
}

} // namespace pad

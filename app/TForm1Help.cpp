// Help page, sound settings and the About box.

#include "app/TForm1.h"

#include "app/TAboutBox.h"

namespace pad {

void TForm1::OpenHelp() {
    ui_->openLocalFile(ProgramFolder() + "/CV12HLP.htm");
}

void TForm1::OpenSoundSettings() {
    // The first sound settings program the desktop has; none: nothing happens.
    const struct {
        const char* program;
        QStringList arguments;
    } candidates[] = {{"gnome-control-center", {"sound"}},
                      {"systemsettings", {"kcm_pulseaudio"}},
                      {"pavucontrol", {}}};
    for (const auto& candidate : candidates) {
        const QString path = ui_->findProgram(candidate.program);
        if (!path.isEmpty()) {
            ui_->startProgram(path, candidate.arguments);
            return;
        }
    }
}

void TForm1::CreateAboutBox() {
    if (!aboutBox_)
        aboutBox_ = new TAboutBox(this);
}

void TForm1::ShowAbout() {
    CreateAboutBox();
    aboutBox_->exec();
}

} // namespace pad

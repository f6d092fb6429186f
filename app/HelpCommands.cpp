#include "app/HelpCommands.h"

namespace pad {

void OpenHelp(UiServices& ui, const QString& programFolder) {
    ui.openLocalFile(programFolder + "/CV12HLP.htm");
}

void OpenSoundSettings(UiServices& ui) {
    const struct {
        const char* program;
        QStringList arguments;
    } candidates[] = {{"gnome-control-center", {"sound"}},
                      {"systemsettings", {"kcm_pulseaudio"}},
                      {"pavucontrol", {}}};
    for (const auto& candidate : candidates) {
        const QString path = ui.findProgram(candidate.program);
        if (!path.isEmpty()) {
            ui.startProgram(path, candidate.arguments);
            return;
        }
    }
}

} // namespace pad

#include "app/HelpCommands.h"

namespace pad {
namespace {

const struct {
    const char* program;
    QStringList arguments;
} SoundSettingsPrograms[] = {{"gnome-control-center", {"sound"}},
                             {"systemsettings", {"kcm_pulseaudio"}},
                             {"pavucontrol", {}}};

} // namespace

QString HelpPagePath(const QString& programFolder) {
    return programFolder + "/CV12HLP.htm";
}

bool OpenHelp(UiServices& ui, const QString& page) {
    return ui.openLocalFile(page);
}

QString SoundSettingsProgramNames() {
    QStringList names;
    for (const auto& candidate : SoundSettingsPrograms)
        names << candidate.program;
    return names.join(", ");
}

bool OpenSoundSettings(UiServices& ui) {
    for (const auto& candidate : SoundSettingsPrograms) {
        const QString path = ui.findProgram(candidate.program);
        if (!path.isEmpty())
            return ui.startProgram(path, candidate.arguments);
    }
    return false;
}

bool LaunchLoaderProgram(UiServices& ui, const QString& programFolder) {
    // Started detached; it stays hidden until a download reports progress.
    return ui.startProgram(programFolder + "/Qd6LoaderS", {});
}

} // namespace pad

#include "modes/control/ServiceSwitch.h"

#include "modes/rules/RulesFile.h"

namespace pad {
namespace {

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.remove_suffix(1);
    return text;
}

std::vector<std::string> UserSystemctl(std::string_view verb, std::string_view unit) {
    return {"--user", std::string(verb), std::string(unit)};
}

} // namespace

std::vector<std::string> SystemdSessionProbe() {
    return UserSystemctl("is-active", "graphical-session.target");
}

std::vector<std::string> UnitEnabledProbe() {
    return UserSystemctl("is-enabled", ServiceUnitName);
}

bool ReadSystemdSession(int exitCode, std::string_view output) {
    return exitCode == 0 && Trimmed(output) == "active";
}

bool ReadUnitEnabled(int exitCode, std::string_view output) {
    const std::string_view state = Trimmed(output);
    return exitCode == 0 && (state == "enabled" || state == "enabled-runtime");
}

std::vector<SwitchStep> PlanServiceSwitch(bool on, const ServiceSetup& setup) {
    using Kind = SwitchStep::Kind;
    std::vector<SwitchStep> steps;
    if (on) {
        if (setup.systemdSession)
            return {{Kind::Systemctl, {"--user", "enable", "--now", std::string(ServiceUnitName)}}};
        return {{Kind::CopyAutostartEntry}, {Kind::StartService}};
    }
    if (setup.systemdSession || setup.unitEnabled)
        steps.push_back(
            {Kind::Systemctl, {"--user", "disable", "--now", std::string(ServiceUnitName)}});
    if (setup.autostartEntry)
        steps.push_back({Kind::RemoveAutostartEntry});
    // An instance that the unit did not start (the autostart entry's, or one started
    // by hand) runs on until it is told to end.
    steps.push_back({Kind::StopService});
    return steps;
}

std::filesystem::path AutostartEntryPath() {
    // The rules lie in the user's configuration folder, as the autostart folder does.
    return DefaultRulesPath().parent_path().parent_path() / "autostart" /
           (std::string(ServiceProgramName) + ".desktop");
}

} // namespace pad

#pragma once
// How the mode service is switched on and off for the user's graphical sessions.
// Where the user's systemd runs the graphical session, through the systemd user unit
// (systemctl --user enable --now / disable --now); elsewhere through the autostart
// entry in ~/.config/autostart, with the service started or stopped at once as well.
// Where both are enabled the second instance finds the first and exits, so switching
// off ends both. Qt-free: what to do, not the doing.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace pad {

inline constexpr std::string_view ServiceUnitName = "padconfig-modes.service";
inline constexpr std::string_view ServiceProgramName = "padconfig-modes";
// What follows the name of a part of the service that was not found.
inline constexpr const char* NotInstalledText = " was not found: is the mode service installed?";

// What was found out about the user's session and the service.
struct ServiceSetup {
    bool systemdSession = false; // the user's systemd runs the graphical session
    bool unitEnabled = false;    // the systemd user unit is enabled
    bool autostartEntry = false; // ~/.config/autostart holds the autostart entry
};

// Whether the service starts with the user's graphical sessions.
inline bool SwitchedOn(const ServiceSetup& setup) {
    return setup.unitEnabled || setup.autostartEntry;
}

// The systemctl calls that find out the setup, and how their answers read: the
// session is systemd's when its graphical-session.target is active (a user manager
// alone does not start the unit with the desktop).
std::vector<std::string> SystemdSessionProbe();
std::vector<std::string> UnitEnabledProbe();
bool ReadSystemdSession(int exitCode, std::string_view output);
bool ReadUnitEnabled(int exitCode, std::string_view output);

struct SwitchStep {
    enum class Kind {
        Systemctl,            // run systemctl with the arguments
        CopyAutostartEntry,   // the shipped entry into ~/.config/autostart
        RemoveAutostartEntry, // the entry out of ~/.config/autostart
        StartService,         // start padconfig-modes now, unless it runs
        StopService,          // end the instance that runs, if one does
    };
    Kind kind;
    std::vector<std::string> arguments{}; // systemctl's

    bool operator==(const SwitchStep&) const = default;
};

// The steps that switch the service on or off, in order.
std::vector<SwitchStep> PlanServiceSwitch(bool on, const ServiceSetup& setup);

// ~/.config/autostart/padconfig-modes.desktop ($XDG_CONFIG_HOME/autostart/...).
std::filesystem::path AutostartEntryPath();

} // namespace pad

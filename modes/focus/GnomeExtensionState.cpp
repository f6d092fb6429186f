#include "modes/focus/GnomeExtensionState.h"

namespace pad {

std::string GnomeExtensionHint(const GnomeExtensionState& extension) {
    if (extension.runs())
        return {};
    const std::string uuid = GnomeExtensionUuid;
    const std::string what =
        "the GNOME Shell extension " + uuid + ", which tells padconfig-modes the focused window,";
    const std::string enable = "'gnome-extensions enable " + uuid + "'";
    if (!extension.known)
        return what + " is not installed for this session: install PadConfig's package, "
                      "which brings it, then log out and log in again";
    switch (extension.state) {
    case 3:
        return what + " failed to start" +
               (extension.error.empty() ? std::string() : " (" + extension.error + ")") +
               ": 'gnome-extensions info " + uuid + "' tells more";
    case 4:
        return what + " was made for another version of GNOME Shell: install the PadConfig "
                      "package made for this one";
    default:
        break;
    }
    if (!extension.userExtensionsEnabled)
        return what +
               " cannot run while GNOME Shell's extensions are switched off: switch "
               "them on in the Extensions app and run " +
               enable;
    return what + " is not enabled: run " + enable;
}

} // namespace pad

#pragma once
// The status of the focus on the desktop the service runs on (modes/bus/BusContract.h),
// as a backend of this process finds it.

#include "modes/bus/BusContract.h"
#include "modes/focus/DesktopSession.h"

#include <string>

namespace pad {

// The status as a focus backend of this process finds it: the one that connected
// ("X11 (display :0)"), or the failure of all of them.
FocusStatus StatusOfSession(const DesktopSession& session, const std::string& backend,
                            const std::string& failure);

} // namespace pad

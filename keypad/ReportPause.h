#pragma once
// The pause after each report of a download. A real keypad always gets its full
// pause; with PadLink's simulated keypad (PADLINK_SIMULATOR) the pause can be made
// shorter with PADLINK_SIMULATOR_PAUSE_MS, so that trying and testing a download
// does not take 17 s.

#include <chrono>

namespace pad {

// ReportPause, or the milliseconds PADLINK_SIMULATOR_PAUSE_MS names (0 up to
// ReportPause) while PADLINK_SIMULATOR names a simulated keypad. A value that is not
// such a number, or one set without the simulator, is ignored with a warning on stderr.
std::chrono::milliseconds ReportPauseFromEnvironment();

} // namespace pad

#include "keypad/ReportPause.h"

#include "common/EnvironmentNames.h"
#include "keypad/KeypadReports.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace pad {

std::chrono::milliseconds ReportPauseFromEnvironment() {
    const char* text = std::getenv(SimulatorPauseVariable);
    if (!text || !*text)
        return ReportPause;
    const char* simulator = std::getenv(SimulatorVariable);
    if (!simulator || !*simulator) {
        std::fprintf(stderr, "%s applies only with %s; the keypad gets its %d ms\n",
                     SimulatorPauseVariable, SimulatorVariable, int(ReportPause.count()));
        return ReportPause;
    }
    char* end = nullptr;
    errno = 0;
    const unsigned long value = std::strtoul(text, &end, 10);
    if (errno != 0 || *end != '\0' || !std::isdigit(static_cast<unsigned char>(*text)) ||
        value > static_cast<unsigned long>(ReportPause.count())) {
        std::fprintf(stderr, "%s=%s is not a number from 0 to %d; ignored\n",
                     SimulatorPauseVariable, text, int(ReportPause.count()));
        return ReportPause;
    }
    return std::chrono::milliseconds(value);
}

} // namespace pad

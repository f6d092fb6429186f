#include "keyboard/capture/EscapeHold.h"
#include "keyboard/capture/PcKeys.h"

#include <gtest/gtest.h>

#include <cctype>

namespace pad {
namespace {

// Steps: "E" / "e" Escape down / up, "A" / "a" the same for A, "x" the wait runs out,
// "s" a capture starts with Escape down. What is passed on is written the same way.
TEST(EscapeHold, PassesShortEscapesOnInOrderAndDropsTheHeldOne) {
    const std::pair<std::string, std::string> cases[] = {
        {"EEe", "Ee"},      // short, with a repeat
        {"EAaEe", "EAaEe"}, // Escape, then a key: both in their order
        {"EExEeA", "A"},    // held until the wait ran out, up to its release
        {"ExsEe", ""},      // still held as the next capture starts
        {"sEe", "Ee"},      // down already as the capture started
    };
    for (const auto& [steps, expected] : cases) {
        EscapeHold hold;
        std::string passed;
        for (const char step : steps) {
            if (step == 'x' || step == 's') {
                step == 'x' ? hold.Expire() : hold.Start(std::vector<unsigned>{1});
                continue;
            }
            const PcKey key = *PcKeyFromEvdev(std::toupper(step) == 'E' ? 1 : 30);
            const auto t = std::isupper(step) ? KeyTransition::Down : KeyTransition::Up;
            for (const CapturedStroke& s : hold.Take({key.virtualKey, KeystrokeFlags(key, t, 0)}))
                passed += (IsEscapeStroke(s.flags) ? "Ee" : "Aa")[s.flags >> 31];
        }
        EXPECT_EQ(passed, expected) << steps;
        EXPECT_FALSE(hold.Waiting() || hold.Draining()) << steps;
    }
}

} // namespace
} // namespace pad

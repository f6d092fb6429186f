#include "keyboard/capture/EscapeHold.h"
#include "keyboard/capture/PhysicalKeyLookup.h"

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
            const PhysicalKey* key = keyOfEvdev(std::toupper(step) == 'E' ? 1 : 30);
            const auto t = std::isupper(step) ? KeyTransition::Down : KeyTransition::Up;
            for (const Keystroke& s : hold.Take({key, t}))
                passed += (IsEscapeStroke(s) ? "Ee" : "Aa")[s.transition == KeyTransition::Up];
        }
        EXPECT_EQ(passed, expected) << steps;
        EXPECT_FALSE(hold.Waiting() || hold.Draining()) << steps;
    }
}

} // namespace
} // namespace pad

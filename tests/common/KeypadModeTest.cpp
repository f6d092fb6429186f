// The keypad's modes and their numbers and names: each maps back to its mode, and
// nothing else maps to one.

#include "common/KeypadMode.h"

#include <gtest/gtest.h>

namespace pad {
namespace {

TEST(KeypadModes, NumbersAndNamesMapBack) {
    for (const KeypadMode mode : AllKeypadModes) {
        EXPECT_EQ(KeypadModeFromViewIndex(ViewIndexOf(mode)), mode);
        EXPECT_EQ(KeypadModeFromCode(ModeCodeOf(mode)), mode);
        EXPECT_EQ(KeypadModeFromName(NameOf(mode)), mode);
        EXPECT_EQ(ModeCodeOf(mode), ViewIndexOf(mode) + 1);
    }
    EXPECT_EQ(ModeCodeOf(KeypadMode::C), ModeCodeC);
    EXPECT_EQ(KeypadModeFromName("B"), KeypadMode::B);
    EXPECT_EQ(DisplayNameOf(KeypadMode::Normal), "Normal mode");
    for (const int number : {-2, 3})
        EXPECT_EQ(KeypadModeFromViewIndex(number), std::nullopt);
    for (const int number : {-1, 4})
        EXPECT_EQ(KeypadModeFromCode(number), std::nullopt);
    for (const char* name : {"", "d", "keep", "norma"})
        EXPECT_EQ(KeypadModeFromName(name), std::nullopt) << name;
}

} // namespace
} // namespace pad

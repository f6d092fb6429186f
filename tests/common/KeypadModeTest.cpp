// The keypad's modes and their numbers and names: each maps back to its mode, and
// nothing else maps to one.

#include "common/KeypadMode.h"
#include "texts/ModeTitle.h"

#include <gtest/gtest.h>

namespace pad {
namespace {

TEST(KeypadModes, NumbersAndNamesMapBack) {
    for (const KeypadMode mode : KeypadModes) {
        EXPECT_EQ(ModeOfViewIndex(ViewIndex(mode)), mode);
        EXPECT_EQ(ModeOfCode(ModeCode(mode)), mode);
        EXPECT_EQ(ModeOfName(ModeName(mode)), mode);
        EXPECT_EQ(ModeCode(mode), ViewIndex(mode) + 1);
    }
    EXPECT_EQ(ModeCode(KeypadMode::C), 3);
    EXPECT_EQ(ModeOfName("B"), KeypadMode::B);
    EXPECT_EQ(ModeTitle(KeypadMode::Normal), "Normal mode");
    EXPECT_EQ(ModeTitle(KeypadMode::B), "Mode B");
    for (const int number : {-2, 3})
        EXPECT_EQ(ModeOfViewIndex(number), std::nullopt);
    for (const int number : {-1, 4})
        EXPECT_EQ(ModeOfCode(number), std::nullopt);
    for (const char* name : {"", "d", "keep", "norma"})
        EXPECT_EQ(ModeOfName(name), std::nullopt) << name;
}

} // namespace
} // namespace pad

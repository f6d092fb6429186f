// Key names from Windows' active keyboard layout: the US one in the tests' wine prefix.

#include "keyboard/layout/DesktopKeyLayout.h"

#include <gtest/gtest.h>

#include <utility>

TEST(WindowsKeyLayout, NamesKeysByTheCharacterTheyType) {
    const auto layout = pad::MakeDesktopKeyboard().layout;
    ASSERT_TRUE(layout);
    // By evdev code: Q, Z, 1, minus, semicolon, slash, grave.
    for (const auto& [evdev, name] : {std::pair{16u, "Q"},
                                      {44u, "Z"},
                                      {2u, "1"},
                                      {12u, "-"},
                                      {39u, ";"},
                                      {53u, "/"},
                                      {41u, "`"}})
        EXPECT_EQ(layout->CharacterKeyName(evdev), name) << evdev;
    // Escape, Enter and Space type no visible character; 0 and 999 are no key.
    for (unsigned evdev : {1u, 28u, 57u, 0u, 999u})
        EXPECT_EQ(layout->CharacterKeyName(evdev), "") << evdev;
}

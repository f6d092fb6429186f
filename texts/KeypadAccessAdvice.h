#pragma once
// What the user does about a keypad that cannot be opened for writing: on Linux the
// udev rule that gives access, with its line for the vendor id (KeypadAccessAdvice.cpp);
// on Windows, closing the program that holds the keypad (KeypadAccessAdviceWin32.cpp).
// PadConfig shows the advice in the language in force, qd6 prints it in English.

#include "texts/Texts.h"

#include <cstdint>
#include <string>

namespace pad {

// Where the udev rule goes, its line for the vendor id, and how to make udev apply it,
// in the words of texts.
std::u16string NoAccessAdvice(std::uint16_t vendorId, const Texts& texts = Texts());

// For a keypad that reports another vendor id than the one the device links match:
// name that id at run time, and give it a udev rule of its own (English).
std::string OtherVendorAdvice(std::uint16_t vendorId);

} // namespace pad

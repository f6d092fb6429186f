// What the user does about a keypad that cannot be opened for writing, on Windows
// (texts/KeypadAccessAdvice.h): Windows' own HID driver serves the keypad to every
// user, so there is no rule to add; what keeps a program from writing to it is another
// program that holds it. English only: the language files have no text for it yet.

#include "texts/KeypadAccessAdvice.h"

#include "common/EnvironmentNames.h"

#include <cstdio>

namespace pad {

std::u16string NoAccessAdvice(std::uint16_t, const Texts&) {
    return u"Windows did not let this program write to the keypad; another program may hold "
           u"it. Close the programs that use the keypad, unplug it and plug it in again.";
}

std::string OtherVendorAdvice(std::uint16_t vendorId) {
    char id[8];
    std::snprintf(id, sizeof id, "0x%04x", unsigned(vendorId));
    return std::string("If this is your keypad, start PadConfig and qd6 with ") + VendorIdVariable +
           "=" + id + " (in a command prompt: set " + VendorIdVariable + "=" + id +
           "), or build them with -DPADCONFIG_KEYPAD_VENDOR_ID=" + id + ".";
}

} // namespace pad

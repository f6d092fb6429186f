#include "texts/KeypadAccessAdvice.h"

#include "common/KeypadProtocol.h"
#include "common/Utf16.h"

#include <cstdio>

namespace pad {
namespace {

// text with each "%1" replaced by value, which is ASCII.
std::u16string FilledIn(std::u16string text, std::string_view value) {
    const std::u16string wide(value.begin(), value.end());
    for (std::size_t at = text.find(u"%1"); at != std::u16string::npos;
         at = text.find(u"%1", at + wide.size()))
        text.replace(at, 2, wide);
    return text;
}

} // namespace

std::u16string NoAccessAdvice(std::uint16_t vendorId, const Texts& texts) {
    const std::string file(UdevRuleFile);
    const std::string rule = UdevRuleLine(vendorId);
    return FilledIn(texts.text(UdevRuleAdvice), file) + u"\n/etc/udev/rules.d/" +
           std::u16string(file.begin(), file.end()) + u",\n  " +
           std::u16string(rule.begin(), rule.end()) + u"\n" +
           FilledIn(texts.text(UdevReloadAdvice), UdevReloadCommand);
}

std::string OtherVendorAdvice(std::uint16_t vendorId) {
    char id[8];
    std::snprintf(id, sizeof id, "0x%04x", unsigned(vendorId));
    return std::string("If this is your keypad, start PadConfig and qd6 with ") + VendorIdVariable +
           "=" + id + " (or build them with -DPADCONFIG_KEYPAD_VENDOR_ID=" + id + ").\n" +
           ToUtf8(NoAccessAdvice(vendorId));
}

} // namespace pad

// The key names of Windows' active keyboard layout. A key's scan code leads to its
// virtual key in the layout (MapVirtualKeyExW), and the virtual key to what it types
// without modifiers (ToUnicodeEx), or for a dead key to its mark. The layout is looked
// up at each call, so the names follow a switch of layout. No keyboard state is needed:
// Windows marks a held key's repeats as such.

#include "keyboard/layout/DesktopKeyLayout.h"

#include "common/Utf16.h"
#include "keyboard/capture/PhysicalKeyLookup.h"

#include <array>

#include <windows.h>

namespace pad {
namespace {

// ToUnicodeEx's flag that leaves the keyboard state alone (Windows 10 1607 and later;
// older systems ignore it).
constexpr UINT KeepKeyboardState = 0x4;
constexpr UINT DeadKeyMark = 0x80000000u;

bool IsVisible(char32_t c) {
    return c > 0x20 && !(c >= 0x7F && c <= 0xA0) && !IsSurrogate(c);
}

// One character, in upper case as on the key cap ("ö" gives "Ö"; "ß", without a
// single capital, stays); empty for none, a control character or several characters.
std::string NameOf(std::u16string text) {
    if (text.size() == 2 && IsHighSurrogate(text[0]) && IsLowSurrogate(text[1]))
        return ToUtf8(text);
    if (text.size() != 1 || !IsVisible(text[0]))
        return {};
    static_assert(sizeof(wchar_t) == sizeof(char16_t));
    ::CharUpperBuffW(reinterpret_cast<wchar_t*>(text.data()), 1);
    return ToUtf8(text);
}

class Win32KeyLayout : public KeyLayout {
  public:
    std::string CharacterKeyName(unsigned evdevCode) override {
        const PhysicalKey* key = keyOfEvdev(evdevCode);
        if (!key || !key->sendsScan())
            return {};
        HKL layout = ::GetKeyboardLayout(0);
        const UINT scan = key->scanByte() | (key->extended() ? 0xE000u : 0u);
        const UINT virtualKey = ::MapVirtualKeyExW(scan, MAPVK_VSC_TO_VK_EX, layout);
        if (virtualKey == 0)
            return {};
        // A dead key types nothing by itself: the mark it puts on the next letter
        // names it, and ToUnicodeEx is not asked, as it would leave the key pending.
        const UINT mapped = ::MapVirtualKeyExW(virtualKey, MAPVK_VK_TO_CHAR, layout);
        if (mapped & DeadKeyMark)
            return NameOf(std::u16string(1, char16_t(mapped & 0xFFFF)));
        const std::array<BYTE, 256> noModifiers{};
        std::array<wchar_t, 8> typed{};
        const int count = ::ToUnicodeEx(virtualKey, scan, noModifiers.data(), typed.data(),
                                        int(typed.size()), KeepKeyboardState, layout);
        if (count <= 0)
            return {};
        return NameOf(std::u16string(typed.begin(), typed.begin() + count));
    }
};

} // namespace

DesktopKeyboard MakeDesktopKeyboard() {
    return {nullptr, std::make_unique<Win32KeyLayout>()};
}

} // namespace pad

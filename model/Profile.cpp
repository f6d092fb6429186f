#include "model/Profile.h"

#include "common/Utf16.h"

#include <algorithm>
#include <stdexcept>

namespace pad {
namespace {

char16_t foldCase(char16_t c) {
    // Simple case folding for ASCII and Latin-1/Latin Extended letters, enough for
    // the names users type; other characters compare as they are.
    if (c >= u'a' && c <= u'z')
        return char16_t(c - 0x20);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        return char16_t(c - 0x20);
    if (c == 0xFF) // y with diaeresis; its capital lies in Latin Extended-A
        return 0x178;
    // Latin Extended-A pairs capital and small letter side by side, capital first.
    // The pairs start on even code points in 0x100-0x137 and 0x14A-0x177 and on odd
    // ones in 0x139-0x148 and 0x179-0x17E; 0x130/0x131 (dotted/dotless i), 0x138,
    // 0x149 and 0x17F have no partner.
    if ((c >= 0x100 && c <= 0x12F) || (c >= 0x132 && c <= 0x137) || (c >= 0x14A && c <= 0x177))
        return (c & 1) ? char16_t(c - 1) : c;
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
        return (c & 1) ? c : char16_t(c - 1);
    if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) // Greek
        return char16_t(c - 0x20);
    if (c >= 0x430 && c <= 0x44F) // Cyrillic
        return char16_t(c - 0x20);
    if (c >= 0x450 && c <= 0x45F)
        return char16_t(c - 0x50);
    if (c >= 0xFF41 && c <= 0xFF5A) // full-width Latin
        return char16_t(c - 0x20);
    return c;
}

} // namespace

std::u16string clampText(std::u16string_view text) {
    return std::u16string(ClampUtf16(text, MaxTextUnits));
}

bool sameMacroName(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (foldCase(a[i]) != foldCase(b[i]))
            return false;
    return true;
}

std::u16string foldedName(std::u16string_view text) {
    std::u16string folded(text);
    for (char16_t& c : folded)
        c = foldCase(c);
    return folded;
}

std::optional<std::size_t> MacroList::append(MacroRecord record) {
    if (full())
        return std::nullopt;
    record.name = clampText(record.name);
    records_.push_back(std::move(record));
    return records_.size() - 1;
}

void MacroList::removeAt(std::size_t n) {
    if (n >= records_.size())
        throw std::out_of_range("macro index out of range");
    records_.erase(records_.begin() + std::ptrdiff_t(n));
}

long MacroList::findByName(std::u16string_view text) const {
    for (std::size_t i = 0; i < records_.size(); ++i)
        if (sameMacroName(records_[i].name, text))
            return long(i);
    return -1;
}

std::size_t Profile::index(int mode, int key) {
    if (mode < 0 || mode >= ModeCount || key < 0 || key >= KeysPerMode)
        throw std::out_of_range("slot out of range");
    return std::size_t(mode * KeysPerMode + key);
}

void Profile::resetSlot(int i, std::u16string_view label) {
    KeySlot& s = slotAt(i);
    s.action = KeyAction::empty();
    setLabel(s, label);
    setKindAt(i, KindNone);
}

void Profile::resetToFresh(std::u16string_view normalLabel) {
    for (int i = 0; i < SlotCount; ++i)
        resetSlot(i, normalLabel);
    macros_.clear();
}

void Profile::removeMacro(std::size_t n, std::u16string_view disappearLabel) {
    macros_.removeAt(n);
    const AssignmentKind removed = KindMacroBase + AssignmentKind(n);
    for (int i = 0; i < SlotCount; ++i) {
        if (kinds_[std::size_t(i)] == removed)
            resetSlot(i, disappearLabel);
        else if (kinds_[std::size_t(i)] > removed)
            --kinds_[std::size_t(i)];
    }
}

void Profile::enforceKindInvariant() {
    const auto limit = KindMacroBase + AssignmentKind(macros_.count());
    for (auto& kind : kinds_)
        if (kind < 0 || kind >= limit)
            kind = KindNone;
}

} // namespace pad

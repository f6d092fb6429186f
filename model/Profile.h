#pragma once
// The in-memory profile: three modes of 16 key slots, how each slot was last
// assigned, and the list of named macros.

#include "model/KeyAction.h"
#include "model/KeyCodes.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pad {

// How a slot was last assigned. 10 + n ties the slot to macro n of the MacroList.
using AssignmentKind = std::int32_t;
inline constexpr AssignmentKind KindNone = 0;
inline constexpr AssignmentKind KindSingleKey = 1;
inline constexpr AssignmentKind KindMacroOff = 2;
inline constexpr AssignmentKind KindMouseButton = 3;
inline constexpr AssignmentKind KindDefault = 4;
inline constexpr AssignmentKind KindMacroBase = 10;

// Labels and macro names hold at most this many UTF-16 units (a 256-unit field with its NUL).
inline constexpr std::size_t MaxTextUnits = 255;

// Cuts text to at most MaxTextUnits units without splitting a surrogate pair.
std::u16string clampText(std::u16string_view text);

struct KeySlot {
    KeyAction action;
    std::u16string label;

    friend bool operator==(const KeySlot&, const KeySlot&) = default;
};

struct MacroRecord {
    std::u16string name;
    KeyAction action;

    friend bool operator==(const MacroRecord&, const MacroRecord&) = default;
};

// True when a and b are equal ignoring letter case (the duplicate-name rule of new macros).
bool sameMacroName(std::u16string_view a, std::u16string_view b);
// The text with letter case folded as sameMacroName folds it: two texts are the same
// name exactly when their folded forms are equal.
std::u16string foldedName(std::u16string_view text);

class MacroList {
  public:
    // The file stores the macro count, and each slot's kind (10 + index), in 16 bits.
    static constexpr std::size_t MaxStoredValue = 0xFFFF;
    // The most macros a file holds: 65,535.
    static constexpr std::size_t MaxCount = MaxStoredValue;
    // The last macro whose kind still fits: keys can play only macros 0 to 65,525.
    static constexpr std::size_t MaxAssignableIndex = MaxStoredValue - KindMacroBase;

    // Whether macro n can be given to a key.
    static bool assignable(std::size_t n) { return n <= MaxAssignableIndex; }

    std::size_t count() const { return records_.size(); }
    bool empty() const { return records_.empty(); }
    bool full() const { return records_.size() >= MaxCount; }
    const MacroRecord& macroAt(std::size_t n) const { return records_.at(n); }
    MacroRecord& macroAt(std::size_t n) { return records_.at(n); }
    const std::vector<MacroRecord>& records() const { return records_; }

    // Appends at the end (name cut to 255 units); nullopt when the list is full.
    std::optional<std::size_t> append(MacroRecord record);
    // Removes entry n; later entries move down. Kinds are Profile::removeMacro's job.
    void removeAt(std::size_t n);
    // Index of the first macro whose name equals text ignoring case, or -1.
    long findByName(std::u16string_view text) const;
    void clear() { records_.clear(); }
    // Makes room for n macros in one allocation (the file reader knows the count).
    void reserve(std::size_t n) { records_.reserve(std::min(n, MaxCount)); }

    friend bool operator==(const MacroList&, const MacroList&) = default;

  private:
    std::vector<MacroRecord> records_;
};

class Profile {
  public:
    // Every slot empty and unlabelled, every kind 0, no macros.
    Profile() { resetToFresh({}); }
    // The fresh profile of New: every slot empty with freshLabel, every kind 0, no macros.
    explicit Profile(std::u16string_view freshLabel) { resetToFresh(freshLabel); }

    KeySlot& slot(int mode, int key) { return slots_.at(index(mode, key)); }
    const KeySlot& slot(int mode, int key) const { return slots_.at(index(mode, key)); }
    KeySlot& slotAt(int i) { return slots_.at(std::size_t(i)); }
    const KeySlot& slotAt(int i) const { return slots_.at(std::size_t(i)); }

    AssignmentKind kindOf(int mode, int key) const { return kinds_.at(index(mode, key)); }
    void setKind(int mode, int key, AssignmentKind kind) { kinds_.at(index(mode, key)) = kind; }
    AssignmentKind kindAt(int i) const { return kinds_.at(std::size_t(i)); }
    void setKindAt(int i, AssignmentKind kind) { kinds_.at(std::size_t(i)) = kind; }

    // Copies text into the slot's label, cut to 255 units.
    static void setLabel(KeySlot& slot, std::u16string_view text) { slot.label = clampText(text); }

    MacroList& macros() { return macros_; }
    const MacroList& macros() const { return macros_; }

    // Every slot empty with the given label, every kind 0, no macros.
    void resetToFresh(std::u16string_view normalLabel);
    // Resets one slot to empty with the given label and kind 0.
    void resetSlot(int index, std::u16string_view label);

    // Removes macro n and keeps the kinds consistent: slots that played it become
    // empty with disappearLabel and kind 0; kinds above 10 + n move down by one.
    void removeMacro(std::size_t n, std::u16string_view disappearLabel);

    // Any kind that names a macro the list does not hold (or a negative kind)
    // becomes KindNone, so that kind >= 10 always implies kind - 10 < count.
    void enforceKindInvariant();

    friend bool operator==(const Profile&, const Profile&) = default;

  private:
    static std::size_t index(int mode, int key);

    std::array<KeySlot, SlotCount> slots_;
    std::array<AssignmentKind, SlotCount> kinds_{};
    MacroList macros_;
};

} // namespace pad

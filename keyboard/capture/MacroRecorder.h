#pragma once
// The Macro Editor's event list without its widgets: the recording rules that
// turn captured keystrokes into the 16 event bytes of a macro, the list lines
// shown for them, and the Up / Down / Delete / Insert edits.

#include "keyboard/capture/HeldKeys.h"
#include "keyboard/capture/KeyLayout.h"
#include "keyboard/capture/Keystroke.h"
#include "model/KeyAction.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pad {

// The words after a key name in an event line: built in "  press" and
// "  release"; with a language file two blanks and its texts 56 and 57.
struct EventWords {
    std::u16string press = u"  press";
    std::u16string release = u"  release";
};

// The line of one event: key name (UTF-8) followed by the press or release word.
std::u16string EventLine(std::string_view keyName, bool release, const EventWords& words);

// The name shown for an event whose key has no name.
inline constexpr std::string_view UnknownKeyName = "Unknown key";

// The lines that name the events of a stored macro: one per event byte up to the
// last non-zero one, in order; a byte whose key has no name shows UnknownKeyName.
// layout, when given, names the character keys (see keyNameOf).
std::vector<std::u16string> NameStoredEvents(const KeyAction& action, const EventWords& words,
                                             KeyLayout* layout = nullptr);

enum class InsertResult {
    Inserted,
    NoLineSelected, // nothing inserted
    TooManyEvents,  // the pair would push events out (NoRoomToInsertText)
};

class MacroRecorder {
  public:
    // Rec pressed to start: counters to 0, list cleared, the 16 events of
    // action cleared (its play mode stays). keysDown are the evdev codes of the
    // keys held down at that moment: their repeats are not presses.
    void StartRecording(KeyAction& action, std::span<const unsigned> keysDown = {});

    // Recording rules for one decoded keystroke with a usage. Returns true
    // when an event was recorded (and a line appended). A press of a key that
    // is already down counts as a repeat, however the keystroke is marked.
    bool Record(const KeystrokeInfo& key, KeyAction& action, const EventWords& words);

    // Editing of line s; each returns the line to select afterwards, or
    // nullopt when nothing changed.
    std::optional<int> MoveUp(int s, KeyAction& action);
    std::optional<int> MoveDown(int s, KeyAction& action);
    bool Delete(int s, KeyAction& action);
    // A press and a release of one key before line s (none = nullopt).
    InsertResult Insert(std::optional<int> s, DeviceKeyCode pressCode, std::uint8_t releaseCode,
                        std::string_view keyName, KeyAction& action, const EventWords& words);

    const std::vector<std::u16string>& Lines() const { return lines_; }
    void SetLines(std::vector<std::u16string> lines) { lines_ = std::move(lines); }
    void ClearLines() { lines_.clear(); }

    int RecordedCount() const { return recordedCount_; }
    std::int16_t HeldKeyCount() const { return heldKeyCount_; }

  private:
    void Append(KeyEvent event, std::string_view keyName, KeyAction& action,
                const EventWords& words);

    std::vector<std::u16string> lines_;
    HeldKeys held_;
    int recordedCount_ = 0;         // the next event goes to byte recordedCount_
    std::int16_t heldKeyCount_ = 0; // presses minus releases since Rec; may go below 0
};

} // namespace pad

#include "keyboard/capture/MacroRecorder.h"

#include "common/Utf16.h"
#include "keyboard/capture/KeyNames.h"
#include "keyboard/capture/PhysicalKeyLookup.h"

#include <algorithm>

namespace pad {
namespace {

// At most six keys held at once are recorded; the seventh press is dropped.
constexpr int HeldKeyLimit = 7;

// Key names are UTF-8 text; they all come from this program and are valid.
std::u16string widen(std::string_view text) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    return DecodeUtf8({bytes, text.size()}).value_or(std::u16string{});
}

} // namespace

std::u16string EventLine(std::string_view keyName, bool release, const EventWords& words) {
    return widen(keyName) + (release ? words.release : words.press);
}

std::vector<std::u16string> NameStoredEvents(const KeyAction& action, const EventWords& words,
                                             KeyLayout* layout) {
    // Line i must stay event byte i, so every byte up to the last non-zero one gets
    // a line, also one whose key has no name (Keypad = is stored as 0x00 / 0x80).
    const auto last = std::find_if(action.events.rbegin(), action.events.rend(),
                                   [](KeyEvent b) { return b != 0; });
    std::vector<std::u16string> lines;
    for (auto it = action.events.begin(); it != last.base(); ++it) {
        const KeyEvent b = *it;
        const bool release = b > 0x72;
        const PhysicalKey* key = keyOfDeviceCode(release ? codeOf(b) : b);
        const std::string name = key ? keyNameOf(*key, layout) : std::string();
        lines.push_back(EventLine(name.empty() ? UnknownKeyName : name, release, words));
    }
    return lines;
}

void MacroRecorder::StartRecording(KeyAction& action, std::span<const unsigned> keysDown) {
    held_.Reset(keysDown);
    recordedCount_ = 0;
    heldKeyCount_ = 0;
    lines_.clear();
    action.events.fill(0);
}

bool MacroRecorder::Record(const KeystrokeInfo& keystroke, KeyAction& action,
                           const EventWords& words) {
    if (keystroke.usage == 0)
        return false;
    const KeystrokeInfo key = held_.Note(keystroke);
    if (recordedCount_ >= EventsPerAction || key.isRepeat())
        return false;
    const DeviceKeyCode c = key.deviceCode;
    if (key.isUp()) {
        const auto pressed = std::count(action.events.begin(), action.events.end(), pressOf(c));
        const auto released = std::count(action.events.begin(), action.events.end(), releaseOf(c));
        const bool record = key.usage == PrintScreenUsage || released < pressed;
        if (record)
            Append(releaseOf(c), key.keyName, action, words);
        --heldKeyCount_;
        return record;
    }
    ++heldKeyCount_;
    if (heldKeyCount_ >= HeldKeyLimit)
        return false;
    Append(pressOf(c), key.keyName, action, words);
    return true;
}

void MacroRecorder::Append(KeyEvent event, std::string_view keyName, KeyAction& action,
                           const EventWords& words) {
    action.events[std::size_t(recordedCount_)] = event;
    lines_.push_back(EventLine(keyName, isRelease(event), words));
    ++recordedCount_;
}

std::optional<int> MacroRecorder::MoveUp(int s, KeyAction& action) {
    if (s < 1 || s >= int(lines_.size()) || s >= EventsPerAction)
        return std::nullopt;
    std::swap(lines_[std::size_t(s - 1)], lines_[std::size_t(s)]);
    std::swap(action.events[std::size_t(s - 1)], action.events[std::size_t(s)]);
    return s - 1;
}

std::optional<int> MacroRecorder::MoveDown(int s, KeyAction& action) {
    if (s < 0 || s + 1 >= int(lines_.size()) || s + 1 >= EventsPerAction)
        return std::nullopt;
    std::swap(lines_[std::size_t(s)], lines_[std::size_t(s + 1)]);
    std::swap(action.events[std::size_t(s)], action.events[std::size_t(s + 1)]);
    return s + 1;
}

bool MacroRecorder::Delete(int s, KeyAction& action) {
    if (s < 0 || s >= int(lines_.size()) || s >= EventsPerAction)
        return false;
    lines_.erase(lines_.begin() + s);
    std::copy(action.events.begin() + s + 1, action.events.end(), action.events.begin() + s);
    action.events[EventsPerAction - 1] = 0;
    return true;
}

InsertResult MacroRecorder::Insert(std::optional<int> s, DeviceKeyCode pressCode,
                                   std::uint8_t releaseCode, std::string_view keyName,
                                   KeyAction& action, const EventWords& words) {
    if (!s || *s < 0 || *s > int(lines_.size()))
        return InsertResult::NoLineSelected;
    // The pair pushes the last two bytes out: refused unless both are empty.
    if (lines_.size() + 2 > std::size_t(EventsPerAction) ||
        action.events[EventsPerAction - 2] != 0 || action.events[EventsPerAction - 1] != 0)
        return InsertResult::TooManyEvents;
    const auto at = std::size_t(*s);
    lines_.insert(lines_.begin() + std::ptrdiff_t(at),
                  {EventLine(keyName, false, words), EventLine(keyName, true, words)});

    std::vector<KeyEvent> bytes(action.events.begin(), action.events.begin() + std::ptrdiff_t(at));
    bytes.push_back(pressCode);
    bytes.push_back(releaseCode);
    bytes.insert(bytes.end(), action.events.begin() + std::ptrdiff_t(at), action.events.end());
    std::copy_n(bytes.begin(), EventsPerAction, action.events.begin());
    return InsertResult::Inserted;
}

} // namespace pad

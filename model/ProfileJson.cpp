#include "model/ProfileJson.h"

#include "common/Utf16.h"

#include <algorithm>
#include <array>
#include <nlohmann/json.hpp>
#include <optional>

namespace pad {
namespace {

using Json = nlohmann::json;
using OrderedJson = nlohmann::ordered_json;

constexpr std::string_view kMagics[] = {".QD6", ".QD5"};
constexpr std::int64_t kMaxKind = 0xFFFF; // the file keeps a kind's low 16 bits

// ---- Writing ----

bool isWellFormed(std::u16string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]))
            ++i;
        else if (IsSurrogate(text[i]))
            return false;
    }
    return true;
}

// The text as a string, and its exact units beside it when a string cannot carry them.
void putText(OrderedJson& object, const char* name, const char* unitsName,
             std::u16string_view text) {
    object[name] = ToUtf8(text);
    if (isWellFormed(text))
        return;
    auto units = OrderedJson::array();
    for (char16_t unit : text)
        units.push_back(int(unit));
    object[unitsName] = std::move(units);
}

void putAction(OrderedJson& object, const KeyAction& action) {
    object["playMode"] = int(action.playMode);
    object["events"] = action.events;
}

// ---- Reading ----

std::string article(std::string_view noun) {
    return (noun.find_first_of("aeiou") == 0 ? "an " : "a ") + std::string(noun);
}

std::string describe(const Json& value) {
    if (value.is_number())
        return "the number " + value.dump();
    if (value.is_null())
        return "null";
    return article(value.type_name());
}

std::string rangeText(std::int64_t min, std::int64_t max) {
    return std::to_string(min) + "-" + std::to_string(max);
}

std::string macroCountText(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " macro" : " macros");
}

// Walks the document and stops at the first problem, which it keeps with its path.
class Reader {
  public:
    std::optional<ProfileJsonError> error;

    bool profile(const Json& doc, Profile& out) {
        if (!isObject(doc, ""))
            return false;
        const Json* magic = member(doc, "", "magic");
        if (!magic || !isString(*magic, "/magic"))
            return false;
        if (std::find(std::begin(kMagics), std::end(kMagics),
                      magic->get_ref<const std::string&>()) == std::end(kMagics))
            return fail("/magic", magic->dump() + " is neither \".QD6\" nor \".QD5\"");

        // The macro count first: a slot's kind may name a macro.
        const Json* macros = member(doc, "", "macros");
        if (!macros || !isArray(*macros, "/macros"))
            return false;
        if (macros->size() > MacroList::MaxCount)
            return fail("/macros", "has " + macroCountText(macros->size()) + ", at most " +
                                       std::to_string(MacroList::MaxCount));

        const Json* slots = member(doc, "", "slots");
        if (!slots || !isArray(*slots, "/slots"))
            return false;
        if (slots->size() != std::size_t(SlotCount))
            return fail("/slots", "has " + std::to_string(slots->size()) + " slots, needs " +
                                      std::to_string(SlotCount));
        std::array<std::optional<std::size_t>, SlotCount> seenAt;
        for (std::size_t i = 0; i < slots->size(); ++i)
            if (!slot(*slots, i, macros->size(), seenAt, out))
                return false;

        out.macros().reserve(macros->size());
        for (std::size_t n = 0; n < macros->size(); ++n) {
            MacroRecord record;
            if (!macro((*macros)[n], "/macros/" + std::to_string(n), record))
                return false;
            out.macros().append(std::move(record));
        }
        return true;
    }

  private:
    bool fail(std::string path, std::string problem) {
        error = ProfileJsonError{std::move(path), std::move(problem)};
        return false;
    }

    bool mustBe(const char* what, const Json& value, const std::string& path) {
        return fail(path, std::string("must be ") + what + ", not " + describe(value));
    }
    bool isObject(const Json& value, const std::string& path) {
        return value.is_object() || mustBe("an object", value, path);
    }
    bool isArray(const Json& value, const std::string& path) {
        return value.is_array() || mustBe("an array", value, path);
    }
    bool isString(const Json& value, const std::string& path) {
        return value.is_string() || mustBe("a string", value, path);
    }

    // The member `name` of an object at path, or nullptr (and the error) when it is missing.
    const Json* member(const Json& object, const std::string& path, const char* name) {
        const auto found = object.find(name);
        if (found == object.end()) {
            fail(path + "/" + name, "missing");
            return nullptr;
        }
        return &*found;
    }

    bool integer(const Json& value, const std::string& path, std::int64_t min, std::int64_t max,
                 std::int64_t& out) {
        if (!value.is_number_integer())
            return mustBe("an integer", value, path);
        const bool inRange =
            value.is_number_unsigned()
                ? value.get<std::uint64_t>() <= std::uint64_t(max) &&
                      std::int64_t(value.get<std::uint64_t>()) >= min
                : value.get<std::int64_t>() >= min && value.get<std::int64_t>() <= max;
        if (!inRange)
            return fail(path, value.dump() + " is outside " + rangeText(min, max));
        out = value.get<std::int64_t>();
        return true;
    }

    bool integerMember(const Json& object, const std::string& path, const char* name,
                       std::int64_t min, std::int64_t max, std::int64_t& out) {
        const Json* value = member(object, path, name);
        return value && integer(*value, path + "/" + name, min, max, out);
    }

    // A label or macro name: the string `name`, or the units `unitsName` when present,
    // which must spell the same string.
    bool text(const Json& object, const std::string& path, const char* name, const char* unitsName,
              std::u16string& out) {
        const std::string textPath = path + "/" + name;
        const Json* value = member(object, path, name);
        if (!value || !isString(*value, textPath))
            return false;
        const std::string& utf8 = value->get_ref<const std::string&>();

        const auto units = object.find(unitsName);
        if (units != object.end())
            return textUnits(*units, path + "/" + unitsName, utf8, name, out);

        auto decoded =
            DecodeUtf8({reinterpret_cast<const std::uint8_t*>(utf8.data()), utf8.size()});
        if (!decoded) // the parser lets no such string through
            return fail(textPath, "is not valid UTF-8");
        if (decoded->size() > MaxTextUnits)
            return fail(textPath, "has " + std::to_string(decoded->size()) +
                                      " UTF-16 units, at most " + std::to_string(MaxTextUnits));
        if (decoded->find(u'\0') != std::u16string::npos)
            return fail(textPath, "contains U+0000, which ends a text in a profile file");
        out = std::move(*decoded);
        return true;
    }

    bool textUnits(const Json& units, const std::string& path, const std::string& utf8,
                   const char* textName, std::u16string& out) {
        if (!isArray(units, path))
            return false;
        if (units.size() > MaxTextUnits)
            return fail(path, "has " + std::to_string(units.size()) + " units, at most " +
                                  std::to_string(MaxTextUnits));
        std::u16string raw;
        for (std::size_t i = 0; i < units.size(); ++i) {
            std::int64_t unit = 0;
            if (!integer(units[i], path + "/" + std::to_string(i), 1, 0xFFFF, unit))
                return false;
            raw.push_back(char16_t(unit));
        }
        if (ToUtf8(raw) != utf8)
            return fail(path, std::string("does not spell ") + textName);
        out = std::move(raw);
        return true;
    }

    bool action(const Json& object, const std::string& path, KeyAction& out) {
        std::int64_t playMode = 0;
        if (!integerMember(object, path, "playMode", 0, 0xFF, playMode))
            return false;
        out.playMode = std::uint8_t(playMode);
        const std::string eventsPath = path + "/events";
        const Json* events = member(object, path, "events");
        if (!events || !isArray(*events, eventsPath))
            return false;
        if (events->size() != out.events.size())
            return fail(eventsPath, "has " + std::to_string(events->size()) + " events, needs " +
                                        std::to_string(out.events.size()));
        for (std::size_t i = 0; i < out.events.size(); ++i) {
            std::int64_t event = 0;
            if (!integer((*events)[i], eventsPath + "/" + std::to_string(i), 0, 0xFF, event))
                return false;
            out.events[i] = KeyEvent(event);
        }
        return true;
    }

    // Entry i of the slots; seenAt tells which entry already gave each (mode, key).
    bool slot(const Json& slots, std::size_t i, std::size_t macroCount,
              std::array<std::optional<std::size_t>, SlotCount>& seenAt, Profile& out) {
        const Json& object = slots[i];
        const std::string path = "/slots/" + std::to_string(i);
        if (!isObject(object, path))
            return false;
        std::int64_t mode = 0;
        std::int64_t key = 0;
        if (!integerMember(object, path, "mode", 0, ModeCount - 1, mode) ||
            !integerMember(object, path, "key", 0, KeysPerMode - 1, key))
            return false;
        auto& seen = seenAt[std::size_t(mode * KeysPerMode + key)];
        if (seen)
            return fail(path, "mode " + std::to_string(mode) + " key " + std::to_string(key) +
                                  " again, as at /slots/" + std::to_string(*seen));
        seen = i;

        std::int64_t kind = 0;
        if (!integerMember(object, path, "kind", 0, kMaxKind, kind))
            return false;
        if (kind >= KindMacroBase && std::size_t(kind - KindMacroBase) >= macroCount)
            return fail(path + "/kind", std::to_string(kind) + " names macro " +
                                            std::to_string(kind - KindMacroBase) +
                                            ", but the profile has " + macroCountText(macroCount));
        out.setKind(int(mode), int(key), AssignmentKind(kind));
        KeySlot& slot = out.slot(int(mode), int(key));
        return text(object, path, "label", "labelUnits", slot.label) &&
               action(object, path, slot.action);
    }

    bool macro(const Json& object, const std::string& path, MacroRecord& out) {
        return isObject(object, path) && text(object, path, "name", "nameUnits", out.name) &&
               action(object, path, out.action);
    }
};

// nlohmann's "[json.exception.parse_error.101] parse error at line 1, column 2: ..."
// as "malformed JSON at line 1, column 2: ...".
std::string parseProblem(std::string_view what) {
    const auto tagEnd = what.find("] ");
    if (tagEnd != std::string_view::npos)
        what.remove_prefix(tagEnd + 2);
    constexpr std::string_view lead = "parse error ";
    if (what.starts_with(lead))
        return "malformed JSON " + std::string(what.substr(lead.size()));
    return "malformed JSON: " + std::string(what);
}

// The deepest nesting of arrays and objects in a JSON text, brackets in strings not
// counted.
int nestingDepth(std::string_view text) {
    int depth = 0, deepest = 0;
    bool inString = false, escaped = false;
    for (const char c : text) {
        if (inString) {
            inString = escaped || c != '"';
            escaped = !escaped && c == '\\';
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            deepest = std::max(deepest, ++depth);
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
    return deepest;
}

} // namespace

std::string EncodeProfileJson(const Profile& profile, std::string_view magic) {
    OrderedJson out;
    out["magic"] = magic;
    auto slots = OrderedJson::array();
    for (int mode = 0; mode < ModeCount; ++mode)
        for (int key = 0; key < KeysPerMode; ++key) {
            OrderedJson slot;
            slot["mode"] = mode;
            slot["key"] = key;
            slot["kind"] = profile.kindOf(mode, key);
            putText(slot, "label", "labelUnits", profile.slot(mode, key).label);
            putAction(slot, profile.slot(mode, key).action);
            slots.push_back(std::move(slot));
        }
    out["slots"] = std::move(slots);
    auto macros = OrderedJson::array();
    for (const MacroRecord& record : profile.macros().records()) {
        OrderedJson macro;
        putText(macro, "name", "nameUnits", record.name);
        putAction(macro, record.action);
        macros.push_back(std::move(macro));
    }
    out["macros"] = std::move(macros);
    return out.dump();
}

std::string ProfileJsonError::message() const {
    return path.empty() ? problem : path + ": " + problem;
}

std::variant<Profile, ProfileJsonError> DecodeProfileJson(std::string_view text) {
    // A profile nests four deep; anything far deeper is refused before parsing, so a
    // bracket bomb cannot use up the memory.
    constexpr int MaxDepth = 16;
    if (nestingDepth(text) > MaxDepth)
        return ProfileJsonError{"", "nested more than " + std::to_string(MaxDepth) + " deep"};
    Json doc;
    try {
        doc = Json::parse(text.begin(), text.end());
    } catch (const Json::exception& error) {
        // parse_error for bad syntax, out_of_range for a number beyond a double's range.
        return ProfileJsonError{"", parseProblem(error.what())};
    }
    Reader reader;
    Profile profile;
    if (!reader.profile(doc, profile))
        return *reader.error;
    return profile;
}

} // namespace pad

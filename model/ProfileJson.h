#pragma once
// A profile as one JSON object, and back. The object holds everything the profile
// file holds, so a file written from a decoded object is byte for byte the file the
// object was made from:
//
//   {"magic": ".QD6",                       the version of the file it came from
//    "slots": [                              48 objects, one per (mode, key)
//      {"mode": 0, "key": 0,                 0-2, 0-15
//       "kind": 0,                           0-65535; 10 + n names macro n
//       "label": "Normal",                   at most 255 UTF-16 units, no U+0000
//       "labelUnits": [55357, ...],          only when the label is not valid UTF-16
//       "playMode": 160,                     0-255
//       "events": [0, ..., 0]}, ...],        16 bytes, 0-255
//    "macros": [                             at most 65,535, in list order
//      {"name": "Jump", "nameUnits": [...],  as label and labelUnits
//       "playMode": 160, "events": [...]}, ...]}
//
// JSON text is Unicode, so a label with a lone surrogate is written with U+FFFD in
// its place, and its exact UTF-16 units go beside it in "labelUnits" ("nameUnits"
// for a macro name). Members the reader does not know are ignored.

#include "model/Profile.h"

#include <string>
#include <string_view>
#include <variant>

namespace pad {

// One line of JSON (no newline) for the profile read from a file of version magic.
std::string EncodeProfileJson(const Profile& profile, std::string_view magic);

// Why a JSON text is not a profile: the JSON Pointer of the offending value (empty
// for the text as a whole, as when it is not JSON at all) and the problem.
struct ProfileJsonError {
    std::string path;
    std::string problem;

    // "path: problem", or the problem alone for the whole text.
    std::string message() const;
};

// The profile a JSON text describes, or the first thing wrong with it.
std::variant<Profile, ProfileJsonError> DecodeProfileJson(std::string_view text);

} // namespace pad

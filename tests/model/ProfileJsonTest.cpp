// The JSON form of a profile: a file survives file -> JSON -> file byte for byte, and
// every malformed document is refused with the path of what is wrong.
#include "model/ProfileJson.h"
#include "model/ProfileFile.h"
#include "tests/support/SampleProfiles.h"

#include <functional>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <random>

namespace pad {
namespace {

using Json = nlohmann::json;

// Labels and names mixing ASCII, other BMP text, pairs beyond the BMP and lone
// surrogates of either half; empty and full-length ones included.
std::u16string randomText(std::mt19937& rng) {
    const auto pick = [&rng](unsigned n) { return unsigned(rng() % n); };
    const unsigned shape = pick(10);
    const std::size_t length = shape == 0 ? 0 : shape == 1 ? MaxTextUnits : 1 + pick(40);
    std::u16string text;
    while (text.size() < length) {
        switch (pick(5)) {
        case 0:
            text.push_back(char16_t(0xD800 + pick(0x800))); // lone high or low
            break;
        case 1:
            if (text.size() + 2 <= length) {
                text.push_back(char16_t(0xD800 + pick(0x400)));
                text.push_back(char16_t(0xDC00 + pick(0x400)));
            }
            break;
        case 2:
            text.push_back(char16_t(0xE000 + pick(0x2000)));
            break;
        default:
            text.push_back(char16_t(0x20 + pick(0x5F)));
        }
    }
    return text;
}

KeyAction randomAction(std::mt19937& rng) {
    KeyAction action;
    for (auto& e : action.events)
        e = KeyEvent(rng() % 256);
    action.playMode = std::uint8_t(rng() % 256);
    return action;
}

Profile randomProfile(std::mt19937& rng) {
    Profile profile;
    const std::size_t macros = rng() % 5;
    for (std::size_t n = 0; n < macros; ++n)
        profile.macros().append({randomText(rng), randomAction(rng)});
    for (int i = 0; i < SlotCount; ++i) {
        profile.slotAt(i) = {randomAction(rng), randomText(rng)};
        const auto kind = AssignmentKind(rng() % (KindMacroBase + macros));
        profile.setKindAt(i, kind);
    }
    return profile;
}

// The file that the JSON of the decoded file describes.
std::vector<std::uint8_t> throughJson(const std::vector<std::uint8_t>& file) {
    Profile read;
    std::string magic;
    EXPECT_EQ(DecodeProfileFile(file, read, u"Normal", &magic), FileResult::Ok);
    auto decoded = DecodeProfileJson(EncodeProfileJson(read, magic));
    if (auto* error = std::get_if<ProfileJsonError>(&decoded)) {
        ADD_FAILURE() << error->message();
        return {};
    }
    return EncodeProfileFile(std::get<Profile>(decoded));
}

TEST(ProfileJson, RandomProfilesSurviveFileJsonFileByteForByte) {
    std::mt19937 rng(20240611);
    for (int round = 0; round < 1000; ++round) {
        const auto file = EncodeProfileFile(randomProfile(rng));
        ASSERT_EQ(throughJson(file), file) << "round " << round;
    }
    EXPECT_EQ(throughJson(EncodeProfileFile(test::ExampleProfile())),
              EncodeProfileFile(test::ExampleProfile()));
}

TEST(ProfileJson, ExactUnitsOnlyBesideTextsThatAreNotUtf16) {
    Profile profile;
    profile.slotAt(0).label = u"\U0001F600 ok";
    profile.slotAt(1).label = u"a\xDC00"; // a lone low surrogate
    const Json j = Json::parse(EncodeProfileJson(profile, ".QD6"));
    EXPECT_EQ(j["slots"][0].size(), 6u);
    EXPECT_EQ(j["slots"][1]["label"], "a\xEF\xBF\xBD"); // U+FFFD for the lone unit
    EXPECT_EQ(j["slots"][1]["labelUnits"], Json({0x61, 0xDC00}));
}

TEST(ProfileJson, SlotsGoWhereModeAndKeySay) {
    const Profile example = test::ExampleProfile();
    Json j = Json::parse(EncodeProfileJson(example, ".QD6"));
    std::reverse(j["slots"].begin(), j["slots"].end());
    auto decoded = DecodeProfileJson(j.dump());
    ASSERT_TRUE(std::holds_alternative<Profile>(decoded));
    EXPECT_EQ(std::get<Profile>(decoded), example);
}

struct Invalid {
    const char* what;
    std::function<void(Json&)> change; // of a valid document with two macros
    std::string path;
    std::string problem;
};

TEST(ProfileJson, InvalidDocumentsNameThePathAndTheProblem) {
    Profile base;
    base.macros().append({u"One", {}});
    base.macros().append({u"Two", {}});
    const std::vector<Invalid> cases = {
        {"not an object", [](Json& j) { j = Json::array(); }, "",
         "must be an object, not an array"},
        {"event of a wrong type", [](Json& j) { j["slots"][20]["events"][3] = "x"; },
         "/slots/20/events/3", "must be an integer, not a string"},
        {"kind not whole", [](Json& j) { j["slots"][0]["kind"] = 1.5; }, "/slots/0/kind",
         "must be an integer, not the number 1.5"},
        {"47 slots", [](Json& j) { j["slots"].erase(47); }, "/slots", "has 47 slots, needs 48"},
        {"49 slots", [](Json& j) { j["slots"].push_back(j["slots"][0]); }, "/slots",
         "has 49 slots, needs 48"},
        {"15 events", [](Json& j) { j["slots"][2]["events"].erase(0); }, "/slots/2/events",
         "has 15 events, needs 16"},
        {"event 256", [](Json& j) { j["slots"][20]["events"][3] = 256; }, "/slots/20/events/3",
         "256 is outside 0-255"},
        {"event -1", [](Json& j) { j["macros"][1]["events"][15] = -1; }, "/macros/1/events/15",
         "-1 is outside 0-255"},
        {"play mode 256", [](Json& j) { j["macros"][1]["playMode"] = 256; }, "/macros/1/playMode",
         "256 is outside 0-255"},
        {"label of 256 units in 128 characters",
         [](Json& j) {
             std::string text;
             for (int i = 0; i < 128; ++i)
                 text += "\xF0\x9F\x98\x80"; // U+1F600, two units each
             j["slots"][5]["label"] = text;
         },
         "/slots/5/label", "has 256 UTF-16 units, at most 255"},
        {"label with U+0000", [](Json& j) { j["slots"][4]["label"] = std::string("a\0b", 3); },
         "/slots/4/label", "contains U+0000"},
        {"units that do not spell the label",
         [](Json& j) {
             j["slots"][4]["labelUnits"] = {0x61, 0xD800};
         },
         "/slots/4/labelUnits", "does not spell label"},
        {"units holding U+0000",
         [](Json& j) {
             j["slots"][4]["label"] = std::string("a\0", 2);
             j["slots"][4]["labelUnits"] = {0x61, 0};
         },
         "/slots/4/labelUnits/1", "0 is outside 1-65535"},
        {"kind naming a missing macro", [](Json& j) { j["slots"][7]["kind"] = 12; },
         "/slots/7/kind", "12 names macro 2, but the profile has 2 macros"},
        {"kind beyond 16 bits", [](Json& j) { j["slots"][0]["kind"] = 65536; }, "/slots/0/kind",
         "65536 is outside 0-65535"},
        {"mode 3", [](Json& j) { j["slots"][0]["mode"] = 3; }, "/slots/0/mode", "3 is outside 0-2"},
        {"duplicate mode and key", [](Json& j) { j["slots"][20]["key"] = 3; }, "/slots/20",
         "mode 1 key 3 again, as at /slots/19"},
        {"more macros than a file holds",
         [](Json& j) {
             j["macros"] = Json::array();
             j["macros"].get_ref<Json::array_t&>().resize(65536);
         },
         "/macros", "has 65536 macros, at most 65535"},
        {"missing label", [](Json& j) { j["slots"][3].erase("label"); }, "/slots/3/label",
         "missing"},
        {"missing macros", [](Json& j) { j.erase("macros"); }, "/macros", "missing"},
        {"unknown magic", [](Json& j) { j["magic"] = ".qd6"; }, "/magic",
         "\".qd6\" is neither \".QD6\" nor \".QD5\""},
    };
    const std::string valid = EncodeProfileJson(base, ".QD6");
    ASSERT_TRUE(std::holds_alternative<Profile>(DecodeProfileJson(valid)));
    for (const Invalid& c : cases) {
        Json j = Json::parse(valid);
        c.change(j);
        const auto decoded = DecodeProfileJson(j.dump());
        const auto* error = std::get_if<ProfileJsonError>(&decoded);
        ASSERT_NE(error, nullptr) << c.what;
        EXPECT_EQ(error->path, c.path) << c.what;
        EXPECT_NE(error->problem.find(c.problem), std::string::npos)
            << c.what << ": " << error->problem;
    }
}

TEST(ProfileJson, NumberBeyondADoubleIsAnErrorNotACrash) {
    const auto decoded = DecodeProfileJson("{\"magic\": 1e400}");
    const auto* error = std::get_if<ProfileJsonError>(&decoded);
    ASSERT_NE(error, nullptr);
    EXPECT_NE(error->message().find("malformed JSON: number overflow"), std::string::npos)
        << error->message();
}

TEST(ProfileJson, MalformedJsonGivesTheParsersPosition) {
    for (const auto& [text, position] : std::vector<std::pair<std::string, std::string>>{
             {"{\"magic\": \".QD6\"", "line 1, column 17"},
             {"{\n \"magic\": \"\\uD800\"}", "line 2, column 18"},
             {"", "line 1, column 1"}}) {
        const auto decoded = DecodeProfileJson(text);
        const auto* error = std::get_if<ProfileJsonError>(&decoded);
        ASSERT_NE(error, nullptr) << text;
        EXPECT_EQ(error->message().rfind("malformed JSON at " + position + ": ", 0), 0u)
            << error->message();
    }
}

} // namespace
} // namespace pad

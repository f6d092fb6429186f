#include "tools/qd6/FileCommands.h"

#include "common/FileAccess.h"
#include "common/Utf16.h"
#include "keypad/DownloadImage.h"
#include "model/ProfileFile.h"
#include "model/ProfileJson.h"
#include "texts/KeyNames.h"
#include "texts/ModeTitle.h"
#include "texts/UiTexts.h"
#include "tools/qd6/CommandSupport.h"

#include <CLI/CLI.hpp>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>
#include <unistd.h>
#include <variant>
#include <vector>

namespace pad {
namespace {

std::string kindName(AssignmentKind kind) {
    switch (kind) {
    case KindNone:
        return "None";
    case KindSingleKey:
        return "Single key";
    case KindMacroOff:
        return ToUtf8(MacroOffText.english);
    case KindMouseButton:
        return "Mouse button";
    case KindDefault:
        return ToUtf8(DefaultText.english);
    default:
        if (kind >= KindMacroBase)
            return "Macro " + std::to_string(kind - KindMacroBase);
        return "Kind " + std::to_string(kind);
    }
}

// A DirectKey action names one key; any other lists its events up to the last one.
std::string eventsText(const KeyAction& action) {
    if (action.playMode == DirectKey)
        return action.events[0] ? DeviceKeyName(codeOf(action.events[0])) : "(none)";
    int last = EventsPerAction - 1;
    while (last >= 0 && action.events[std::size_t(last)] == 0)
        --last;
    if (last < 0)
        return "-";
    std::string text;
    for (int i = 0; i <= last; ++i) {
        if (i > 0)
            text += ", ";
        text += KeyEventName(action.events[std::size_t(i)]);
    }
    return text;
}

// Pads text (UTF-8) with blanks to width characters.
std::string padded(const std::string& text, std::size_t width) {
    const std::size_t characters = Utf8CharacterCount(text);
    return text + std::string(width > characters ? width - characters : 0, ' ');
}

// The text in double quotes, with control characters as visible escapes (\x1b,
// \u009b) so that a profile cannot drive the terminal; \ and " are escaped as well,
// so that every text reads back one way.
std::string quotedText(std::u16string_view text) {
    std::u16string shown;
    for (const char16_t unit : text) {
        if (unit == u'\\' || unit == u'"') {
            shown += u'\\';
            shown += unit;
        } else if (unit < 0x20 || unit == 0x7F || (unit >= 0x80 && unit <= 0x9F)) {
            char escape[8];
            std::snprintf(escape, sizeof escape, unit < 0x80 ? "\\x%02x" : "\\u%04x",
                          unsigned(unit));
            shown.append(escape, escape + std::strlen(escape));
        } else {
            shown += unit;
        }
    }
    return "\"" + ToUtf8(shown) + "\"";
}

void printProfile(const std::string& file, const std::string& magic, const Profile& profile) {
    const MacroList& macros = profile.macros();
    std::cout << file << ": " << magic << ", " << macros.count()
              << (macros.count() == 1 ? " macro\n" : " macros\n");
    for (int mode = 0; mode < ModeCount; ++mode) {
        std::cout << '\n' << ModeTitle(*ModeOfViewIndex(mode)) << '\n';
        std::cout << "  Key  " << padded("Native", 9) << padded("Kind", 14) << padded("Label", 18)
                  << padded("Play mode", 25) << "Events\n";
        for (int key = 0; key < KeysPerMode; ++key) {
            const KeySlot& slot = profile.slot(mode, key);
            char number[8];
            std::snprintf(number, sizeof number, "%5d", key + 1);
            std::cout << number << "  " << padded(ToUtf8(nativeKey(key).label), 9)
                      << padded(kindName(profile.kindOf(mode, key)), 14)
                      << padded(quotedText(slot.label), 18)
                      << padded(PlayModeName(slot.action.playMode), 25) << eventsText(slot.action)
                      << '\n';
        }
    }
    std::cout << "\nMacros\n";
    if (macros.empty())
        std::cout << "  (none)\n";
    for (std::size_t n = 0; n < macros.count(); ++n) {
        const MacroRecord& macro = macros.macroAt(n);
        char number[24];
        std::snprintf(number, sizeof number, "%5zu", n);
        std::cout << number << "  " << padded(quotedText(macro.name), 20)
                  << padded(PlayModeName(macro.action.playMode), 25) << eventsText(macro.action)
                  << '\n';
    }
}

void printReports(const Profile& profile) {
    for (const Report& report : DownloadReports(BuildDownloadImage(profile))) {
        char line[3 * 8];
        for (std::size_t i = 0; i < report.size(); ++i)
            std::snprintf(line + 3 * i, 4, i + 1 < report.size() ? "%02x " : "%02x", report[i]);
        std::cout << line << '\n';
    }
}

// The most JSON that import reads: well above the largest profile's JSON (65,535
// macros whose 255-unit names are written out unit by unit, about 160 MB).
constexpr std::size_t MaxImportBytes = std::size_t(256) << 20;

std::string inputName(const std::string& file) {
    return file == "-" ? "<stdin>" : file;
}

// The whole of a file, or of standard input for "-"; at most MaxImportBytes.
std::string readInput(const std::string& file) {
    const bool standardInput = file == "-";
    const OpenedFile opened =
        standardInput ? OpenedFile{STDIN_FILENO, 0} : OpenToRead(PathOfArgument(file));
    const int fd = opened.fd;
    if (fd < 0)
        checkFileResult(FileResult::OpenForReadFailed, file, opened.error);
    std::string text;
    std::vector<char> buffer(1 << 16);
    int error = 0;
    bool tooLarge = false;
    for (;;) {
        const ssize_t got = ::read(fd, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            error = got < 0 ? errno : 0; // a folder, for one, opens but cannot be read
            break;
        }
        tooLarge = text.size() + std::size_t(got) > MaxImportBytes;
        if (tooLarge)
            break;
        text.append(buffer.data(), std::size_t(got));
    }
    if (!standardInput)
        ::close(fd);
    if (error != 0)
        checkFileResult(FileResult::OpenForReadFailed, inputName(file), error);
    if (tooLarge)
        failCommand(inputName(file) + ": more than " + std::to_string(MaxImportBytes >> 20) +
                    " MiB of JSON, more than any profile needs");
    return text;
}

// Writes OUT only once the whole JSON text has been read and found valid.
void importProfile(const std::string& input, const std::string& output) {
    auto decoded = DecodeProfileJson(readInput(input));
    if (const auto* error = std::get_if<ProfileJsonError>(&decoded))
        failCommand(inputName(input) + ": " + error->message());
    saveProfileOrFail(std::get<Profile>(decoded), output);
}

// A fresh profile replaces an existing file (a profile with all its work, most
// likely) only when asked to.
void writeFreshProfile(const std::string& file, bool overwrite) {
    std::error_code error;
    if (!overwrite &&
        std::filesystem::exists(std::filesystem::symlink_status(PathOfArgument(file), error)))
        failCommand(file + ": the file exists; give --force to overwrite it");
    saveProfileOrFail(Profile{NormalLabelText.english}, file);
}

} // namespace

void addFileCommands(CLI::App& app) {
    // Option values live as long as the app; the callbacks run inside app.parse().
    struct Arguments {
        std::string file;
        bool json = false;
        bool force = false;
        std::string input;
        std::string output;
    };
    auto args = std::make_shared<Arguments>();

    auto* show =
        app.add_subcommand("show", "Print a profile: every key of every mode and the macros");
    show->add_flag("--json", args->json, "Print one JSON object instead");
    show->add_option("FILE", args->file, "Profile file (.qd6)")->required();
    show->callback([args] {
        std::string magic;
        const Profile profile = loadProfileOrFail(args->file, &magic);
        if (args->json)
            std::cout << EncodeProfileJson(profile, magic) << '\n';
        else
            printProfile(args->file, magic, profile);
    });

    auto* reports = app.add_subcommand(
        "reports", "Print the 240 download reports of a profile, one per line, in hex");
    reports->add_option("FILE", args->file, "Profile file (.qd6)")->required();
    reports->callback([args] { printReports(loadProfileOrFail(args->file)); });

    auto* fresh = app.add_subcommand("new", "Write a fresh profile: every key Normal, no macros");
    fresh->add_flag("--force", args->force, "Overwrite FILE if it exists");
    fresh->add_option("FILE", args->file, "Profile file to write")->required();
    fresh->callback([args] { writeFreshProfile(args->file, args->force); });

    auto* convert = app.add_subcommand(
        "convert", "Read a profile of either version and write it in the current version");
    convert->add_option("IN", args->input, "Profile file to read (.QD6 or .QD5)")->required();
    convert->add_option("OUT", args->output, "Profile file to write")->required();
    convert->callback([args] {
        const Profile profile = loadProfileOrFail(args->input);
        saveProfileOrFail(profile, args->output);
    });

    auto* importJson = app.add_subcommand(
        "import", "Write the profile that a JSON object of show --json describes");
    importJson->add_option("FILE", args->input, "JSON file to read, - for standard input")
        ->required();
    importJson->add_option("OUT", args->output, "Profile file to write")->required();
    importJson->callback([args] { importProfile(args->input, args->output); });
}

} // namespace pad

#include "app/CommandLine.h"

#include "model/FileSystemName.h"

#include <QCommandLineParser>
#include <QStringList>

#include <algorithm>

namespace pad {

const char* const CommandLineHelp =
    "Usage: padconfig [QT-OPTION...] [FILE]\n"
    "       padconfig [QT-OPTION...] -- FILE\n"
    "Assign keys, mouse buttons and macros to the Corvask 12 Gaming Keypad, keep them\n"
    "in .qd6 profiles and download a profile into the keypad.\n"
    "\n"
    "  FILE         the profile to open at start; the last argument names it\n"
    "  --           ends the options: what follows is a file name, even one that\n"
    "               starts with -\n"
    "  -h, --help   print this help and exit\n"
    "  --version    print the version and exit\n"
    "\n"
    "Qt's own options, such as -platform NAME, -style NAME or -reverse, go to Qt.\n"
    "See padconfig(1) for the environment variables and files.\n";

namespace {

QString Decoded(std::string_view argument) {
    return QString::fromStdU16String(DecodeFileName(argument));
}

bool IsOptionWord(const QString& word) {
    return word.size() > 1 && word.startsWith('-') && word != "--";
}

// The option a word names as Qt's parser reads it: "-q" and "--q" both name q, and a
// value after "=" is no part of the name.
QString OptionName(const QString& word) {
    return word.mid(word.startsWith("--") ? 2 : 1).section('=', 0, 0);
}

// A word Qt's parser would take for -h, --help or --version although it is not
// written so ("-help", "--h", "--help=x"). PadConfig refuses it as unknown.
bool OtherSpellingOfOwnOption(const QString& word) {
    if (!IsOptionWord(word) || word == "-h" || word == "--help" || word == "--version")
        return false;
    const QString name = OptionName(word);
    return name == "h" || name == "help" || name == "version";
}

// PadConfig's options. Words after a single dash are read whole, as Qt reads its own
// (-platform, -stylesheet): never as a row of one-letter options.
class OptionParser {
  public:
    OptionParser() {
        parser_.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser_.addOptions({help_, version_});
        parser_.addPositionalArgument("file", "the profile to open at start", "[FILE]");
    }

    // Parses the arguments but the other spellings of PadConfig's options; false when
    // an option is unknown.
    bool parse(const std::vector<std::string_view>& arguments) {
        const std::size_t separator = SeparatorPosition(arguments);
        QStringList words;
        for (std::size_t i = 0; i < arguments.size(); ++i) {
            const QString word = Decoded(arguments[i]);
            if (i == 0 || i >= separator || !OtherSpellingOfOwnOption(word))
                words.append(word);
        }
        return parser_.parse(words);
    }

    const QCommandLineParser& parser() const { return parser_; }
    bool helpAsked() const { return parser_.isSet(help_); }
    bool versionAsked() const { return parser_.isSet(version_); }

  private:
    QCommandLineParser parser_;
    QCommandLineOption help_{{"h", "help"}, "print this help and exit"};
    QCommandLineOption version_{"version", "print the version and exit"};
};

// The first argument before "--" that names no option PadConfig knows, as it was
// typed ("-q", "--frobnicate=1"); empty when there is none.
std::string FirstUnknownOption(const std::vector<std::string_view>& arguments,
                               const QStringList& unknownNames) {
    for (std::size_t i = 1; i < SeparatorPosition(arguments); ++i) {
        const QString word = Decoded(arguments[i]);
        if (IsOptionWord(word) &&
            (OtherSpellingOfOwnOption(word) || unknownNames.contains(OptionName(word))))
            return std::string(arguments[i]);
    }
    return {};
}

} // namespace

CommandLineRequest RequestedInformation(const std::vector<std::string_view>& arguments) {
    OptionParser options;
    options.parse(arguments); // unknown options are refused once Qt has taken its own
    if (options.helpAsked())
        return CommandLineRequest::Help;
    if (options.versionAsked())
        return CommandLineRequest::Version;
    return CommandLineRequest::Run;
}

std::size_t SeparatorPosition(const std::vector<std::string_view>& arguments) {
    const auto start = arguments.begin() + std::min<std::ptrdiff_t>(1, arguments.size());
    return std::size_t(std::find(start, arguments.end(), "--") - arguments.begin());
}

ProgramArguments ReadProgramArguments(const std::vector<std::string_view>& arguments) {
    ProgramArguments result;
    OptionParser options;
    const bool parsed = options.parse(arguments);
    if (const std::string unknown =
            FirstUnknownOption(arguments, options.parser().unknownOptionNames());
        !unknown.empty()) {
        result.problem = "unknown option '" + unknown + "'";
        return result;
    }
    if (!parsed) {
        result.problem = options.parser().errorText().toStdString();
        return result;
    }
    if (!arguments.empty())
        result.arguments.push_back(DecodeFileName(arguments.front()));
    for (const QString& name : options.parser().positionalArguments())
        result.arguments.push_back(name.toStdU16String());
    return result;
}

} // namespace pad

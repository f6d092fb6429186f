// PadConfig's command line: what is answered before Qt starts, and what the window
// gets of the arguments Qt leaves.

#include "app/CommandLine.h"
#include "model/FileSystemName.h"

#include <gtest/gtest.h>

using namespace pad;

TEST(CommandLineTest, HelpAndVersionAreFoundAmongQtsOptionsButNotAfterTheSeparator) {
    const struct {
        std::vector<std::string_view> arguments;
        CommandLineRequest request;
    } cases[] = {
        {{"padconfig", "-h"}, CommandLineRequest::Help},
        {{"padconfig", "--frobnicate", "--help"}, CommandLineRequest::Help},
        {{"padconfig", "-style", "fusion", "--version"}, CommandLineRequest::Version},
        // A word after one dash is one option, never -s -t -y -l -e -s -h ...
        {{"padconfig", "-stylesheet", "look.qss"}, CommandLineRequest::Run},
        {{"padconfig", "--", "--help"}, CommandLineRequest::Run},
        // Qt's parser would read these as -h and --version; PadConfig never has.
        {{"padconfig", "--help=x"}, CommandLineRequest::Run},
        {{"padconfig", "-help"}, CommandLineRequest::Run},
        {{"padconfig", "--h"}, CommandLineRequest::Run},
        {{"padconfig", "-version"}, CommandLineRequest::Run},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RequestedInformation(c.arguments), c.request) << c.arguments.back();
}

TEST(CommandLineTest, TheWindowGetsTheProgramAndTheNamesByteForByte) {
    const struct {
        std::vector<std::string_view> arguments;
        std::vector<std::string> names; // after the program's own path
    } cases[] = {
        {{"padconfig", "a.qd6", "b c.qd6"}, {"a.qd6", "b c.qd6"}},
        {{"padconfig", "-"}, {"-"}},
        {{"padconfig", "--", "-x.qd6"}, {"-x.qd6"}},
        {{"padconfig", "--", "--", "--help"}, {"--", "--help"}},
        {{"padconfig", "--", "\xFF\xFE.qd6"}, {"\xFF\xFE.qd6"}},
        {{"padconfig", "caf\xC3\xA9\xFF.qd6"}, {"caf\xC3\xA9\xFF.qd6"}},
    };
    for (const auto& c : cases) {
        const ProgramArguments read = ReadProgramArguments(c.arguments);
        EXPECT_EQ(read.problem, "");
        std::vector<std::string> names;
        for (const std::u16string& name : read.arguments)
            names.push_back(EncodeFileName(name));
        ASSERT_FALSE(names.empty());
        EXPECT_EQ(names.front(), "padconfig");
        EXPECT_EQ(std::vector(names.begin() + 1, names.end()), c.names) << c.arguments.back();
    }
}

TEST(CommandLineTest, AnUnknownOptionIsNamedAsTyped) {
    const struct {
        std::vector<std::string_view> arguments;
        std::string problem;
    } cases[] = {
        {{"padconfig", "-q"}, "unknown option '-q'"},
        {{"padconfig", "a.qd6", "-x.qd6"}, "unknown option '-x.qd6'"},
        {{"padconfig", "--frobnicate=1", "--", "--other"}, "unknown option '--frobnicate=1'"},
        {{"padconfig", "-help"}, "unknown option '-help'"},
        {{"padconfig", "-=x"}, "unknown option '-=x'"},
        {{"padconfig", "--version=2"}, "unknown option '--version=2'"},
    };
    for (const auto& c : cases) {
        const ProgramArguments read = ReadProgramArguments(c.arguments);
        EXPECT_EQ(read.problem, c.problem);
        EXPECT_TRUE(read.arguments.empty());
    }
}

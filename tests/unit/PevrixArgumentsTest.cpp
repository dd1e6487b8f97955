#include "proxyhelper/ProxyArguments.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvin::pevrix {
namespace {

struct SplitCase {
  const char* Name;
  std::string CommandLine;
  std::vector<std::string> Arguments;
};

class PevrixSplitCommandLineTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(PevrixSplitCommandLineTest, GivesTheArgumentsInOrder) {
  EXPECT_EQ(SplitCommandLine(GetParam().CommandLine), GetParam().Arguments);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, PevrixSplitCommandLineTest,
    ::testing::Values(
        SplitCase{"Empty", "", {}},
        SplitCase{"OnlyBlanks", "  \t ", {}},
        SplitCase{"SingleBlanks", "Pevrix -set 10.0.0.1 80", {"Pevrix", "-set", "10.0.0.1", "80"}},
        SplitCase{"RunsOfBlanks", "  Pevrix   -no\t\t80  ", {"Pevrix", "-no", "80"}},
        SplitCase{"ControlCharactersSeparate", "a\x01" "b\x1f" "c\r\nd", {"a", "b", "c", "d"}},
        SplitCase{"HighBytesAreText", "a\xA0" "b \xE9t\xE9", {"a\xA0" "b", "\xE9t\xE9"}},
        SplitCase{"QuotesGroupAndAreDropped", "P -set \"my proxy\" 8080", {"P", "-set", "my proxy", "8080"}},
        SplitCase{"QuotesInsideAnArgument", "P ab\"c d\"e f", {"P", "abc de", "f"}},
        SplitCase{"EmptyQuotesAreAnEmptyArgument", "P -set \"\" 80", {"P", "-set", "", "80"}},
        SplitCase{"UnclosedQuoteRunsToTheEnd", "P \"a b  c", {"P", "a b  c"}},
        SplitCase{"QuotedProgramPath", "\"C:\\Program Files\\Pevrix.exe\" -no", {"C:\\Program Files\\Pevrix.exe", "-no"}},
        SplitCase{"BackslashesAreText", "P a\\\"b c\"", {"P", "a\\b c"}}),
    [](const auto& info) { return std::string(info.param.Name); });

struct ParseCase {
  const char* Name;
  std::string CommandLine;
  ProxyArguments Expected;
};

class PevrixParseArgumentsTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(PevrixParseArgumentsTest, TakesThePositionsAfterTheProgramPath) {
  const ProxyArguments arguments = ParseProxyArguments(GetParam().CommandLine);
  EXPECT_EQ(arguments.Command, GetParam().Expected.Command);
  EXPECT_EQ(arguments.Server, GetParam().Expected.Server);
  EXPECT_EQ(arguments.Port, GetParam().Expected.Port);
}

INSTANTIATE_TEST_SUITE_P(
    Positions, PevrixParseArgumentsTest,
    ::testing::Values(ParseCase{"All", "Pevrix -set 10.0.0.1 80", {"-set", "10.0.0.1", "80"}},
                      ParseCase{"FurtherOnesIgnored", "Pevrix -no a b c d", {"-no", "a", "b"}},
                      ParseCase{"MissingOnesAreEmpty", "Pevrix -no", {"-no", "", ""}},
                      ParseCase{"OnlyTheProgram", "Pevrix", {"", "", ""}},
                      ParseCase{"NothingAtAll", "", {"", "", ""}},
                      ParseCase{"EmptyServerLeftOut", "Pevrix -set  8080", {"-set", "8080", ""}},
                      ParseCase{"EmptyServerQuoted", "Pevrix -set \"\" 8080", {"-set", "", "8080"}},
                      ParseCase{"QuotedServer", "Pevrix -set \"proxy host\" 3128", {"-set", "proxy host", "3128"}}),
    [](const auto& info) { return std::string(info.param.Name); });

struct CommandCase {
  const char* Argument;
  const char* Word;
  bool Same;
};

class PevrixSameCommandTest : public ::testing::TestWithParam<CommandCase> {};

TEST_P(PevrixSameCommandTest, IgnoresOnlyTheCaseOfAsciiLetters) {
  EXPECT_EQ(SameCommand(GetParam().Argument, GetParam().Word), GetParam().Same)
      << GetParam().Argument << " vs " << GetParam().Word;
}

INSTANTIATE_TEST_SUITE_P(Matching, PevrixSameCommandTest,
                         ::testing::Values(CommandCase{"-set", "-set", true}, CommandCase{"-SET", "-set", true},
                                           CommandCase{"-Set", "-set", true}, CommandCase{"-sEt", "-set", true},
                                           CommandCase{"-No", "-no", true}, CommandCase{"-NO", "-no", true},
                                           CommandCase{"set", "-set", false}, CommandCase{"-se", "-set", false},
                                           CommandCase{"-sets", "-set", false}, CommandCase{"-no ", "-no", false},
                                           CommandCase{"", "-no", false}, CommandCase{"_no", "-no", false},
                                           CommandCase{"-n\xCF", "-no", false}));

} // namespace
} // namespace quorvin::pevrix

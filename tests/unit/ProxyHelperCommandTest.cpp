// The command line that starts the proxy helper, read back by the helper's
// own splitter: whatever the user typed, the three positions come out as
// the values, only the double quotes (which the helper cannot receive
// inside a value) and NULs (which end the text handed to the system) gone.

#include "proxyhelper/ProxyArguments.h"
#include "switching/ProxyHelperCommand.h"
#include "switching/SystemSwitchHost.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvin {
namespace {

using namespace std::string_literals;

struct LineCase {
  const char* Name;
  bool UseProxy;
  std::string Address, Port;
  std::string Server, PortRead; // what the helper reads at positions 2 and 3
  friend void PrintTo(const LineCase& c, std::ostream* out) { *out << c.Name; }
};

class ProxyHelperLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(ProxyHelperLineTest, TheHelperReadsTheValuesBackInTheirPositions) {
  const LineCase& c = GetParam();
  const std::string line = ProxyHelperCommandLine("C:\\Program Files\\Quorvin\\", c.UseProxy, c.Address, c.Port);
  // The system receives the text up to its first NUL.
  const std::string received = line.c_str();
  const auto arguments = pevrix::SplitCommandLine(received);
  ASSERT_EQ(arguments.size(), 4u) << received;
  EXPECT_EQ(arguments[0], "C:\\Program Files\\Quorvin\\Pevrix.exe");
  const pevrix::ProxyArguments read = pevrix::ParseProxyArguments(received);
  EXPECT_EQ(read.Command, c.UseProxy ? "-set" : "-no");
  EXPECT_EQ(read.Server, c.Server);
  EXPECT_EQ(read.Port, c.PortRead);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ProxyHelperLineTest,
    ::testing::Values(LineCase{"Plain", true, "10.0.0.1", "8080", "10.0.0.1", "8080"},
                      LineCase{"BlanksInsideValues", false, "my proxy", " 80 ", "my proxy", " 80 "},
                      LineCase{"EmptyAddressAndPort", true, "", "", "", ""},
                      LineCase{"EmptyAddressOnly", true, "", "3128", "", "3128"},
                      LineCase{"BackslashesAreLiteral", true, "\\\\host\\", "\\80\\", "\\\\host\\", "\\80\\"},
                      LineCase{"ControlCharacters", true, "a\tb\r\nc", "8\x01" "0", "a\tb\r\nc", "8\x01" "0"},
                      LineCase{"QuoteInsideAValue", true, "ev\"il host", "80\"", "evil host", "80"},
                      LineCase{"OnlyQuotes", false, "\"\"", "\"", "", ""},
                      LineCase{"NulInsideAValue", true, "proxy\0host"s, "8080", "proxyhost", "8080"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(ProxyHelperCommand, QuotesEveryArgumentAndNamesTheHelperByItsFullPath) {
  struct Case {
    bool Use;
    const char* Address;
    const char* Port;
    const char* Expected;
  };
  const Case cases[] = {
      {true, "10.0.0.1", "8080", "\"C:\\Tools\\Pevrix.exe\" -set \"10.0.0.1\" \"8080\""},
      {false, "10.0.0.1", "8080", "\"C:\\Tools\\Pevrix.exe\" -no \"10.0.0.1\" \"8080\""},
      {true, "", "8080", "\"C:\\Tools\\Pevrix.exe\" -set \"\" \"8080\""},
      {true, "proxy host", "", "\"C:\\Tools\\Pevrix.exe\" -set \"proxy host\" \"\""},
      {true, "a\"b", "80\"", "\"C:\\Tools\\Pevrix.exe\" -set \"ab\" \"80\""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ProxyHelperCommandLine("C:\\Tools\\", c.Use, c.Address, c.Port), c.Expected);
  EXPECT_EQ(FolderOf("C:\\Program Files\\Quorvin\\Quorvin.exe"), "C:\\Program Files\\Quorvin\\");
  EXPECT_EQ(FolderOf("Quorvin.exe"), "");
}

} // namespace
} // namespace quorvin

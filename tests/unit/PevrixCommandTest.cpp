#include "proxyhelper/ProxyCommand.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace quorvin::pevrix {
namespace {

// Records every call of every port in one journal, so that tests can check
// the order across the registry, the internet options and the message box.
class FakeSystem : public ProxyRegistry, public InternetOptions, public ErrorReporter {
public:
  std::vector<std::string> Journal;
  bool KeyOpens = true;
  std::map<std::string, std::uint32_t> RefusedValues;

  std::unique_ptr<ProxySettingsKey> OpenOrCreateKey(std::string_view path) override {
    Journal.push_back("open " + std::string(path));
    if (!KeyOpens)
      return nullptr;
    return std::make_unique<Key>(*this);
  }
  void SetOption(std::uint32_t option) override { Journal.push_back("option " + std::to_string(option)); }
  void ShowError(const std::string& text) override { Journal.push_back("error " + text); }

  ProxyPorts Ports() { return ProxyPorts{*this, *this, *this}; }

private:
  class Key : public ProxySettingsKey {
  public:
    explicit Key(FakeSystem& owner) : FOwner(owner) {}
    ~Key() override { FOwner.Journal.push_back("close"); }
    std::uint32_t WriteString(std::string_view name, std::string_view value) override {
      return FOwner.Write("sz " + std::string(name) + "=" + std::string(value), name);
    }
    std::uint32_t WriteDword(std::string_view name, std::uint32_t value) override {
      return FOwner.Write("dword " + std::string(name) + "=" + std::to_string(value), name);
    }

  private:
    FakeSystem& FOwner;
  };

  std::uint32_t Write(const std::string& entry, std::string_view name) {
    const auto refused = RefusedValues.find(std::string(name));
    if (refused != RefusedValues.end()) {
      Journal.push_back("refused " + entry);
      return refused->second;
    }
    Journal.push_back(entry);
    return 0;
  }
};

const std::string kOpen = "open " + std::string(kInternetSettingsPath);

struct CommandCase {
  const char* Name;
  std::string CommandLine;
  std::vector<std::string> Journal;
  std::uint32_t ExitCode = kExitDone;
};

std::vector<std::string> Switched(const std::string& value, int enable) {
  return {kOpen,       "sz ProxyServer=" + value, "dword ProxyEnable=" + std::to_string(enable),
          "close",     "option 43",
          "option 44", "option 39"};
}

class PevrixCommandTest : public ::testing::TestWithParam<CommandCase> {};

TEST_P(PevrixCommandTest, WritesAndNotifiesAsTheCommandSays) {
  FakeSystem system;
  ProxyPorts ports = system.Ports();
  EXPECT_EQ(HandleProxyCommand(ports, GetParam().CommandLine), GetParam().ExitCode);
  EXPECT_EQ(system.Journal, GetParam().Journal);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, PevrixCommandTest,
    ::testing::Values(CommandCase{"SetOn", "Pevrix -set 10.0.0.1 80", Switched("10.0.0.1:80", 1)},
                      CommandCase{"NoKeepsTheServer", "Pevrix -no 10.0.0.1 80", Switched("10.0.0.1:80", 0)},
                      CommandCase{"SetInCapitals", "Pevrix -SET 10.0.0.1 80", Switched("10.0.0.1:80", 1)},
                      CommandCase{"SetFirstCapital", "Pevrix -Set h 1", Switched("h:1", 1)},
                      CommandCase{"NoMixedCase", "Pevrix -nO h 1", Switched("h:1", 0)},
                      CommandCase{"NoAlone", "Pevrix -no", Switched(":", 0)},
                      CommandCase{"PortMovesToServer", "Pevrix -set  8080", Switched("8080:", 1)},
                      CommandCase{"EmptyQuotedServer", "Pevrix -set \"\" 8080", Switched(":8080", 1)},
                      CommandCase{"QuotedServerWithBlank", "Pevrix -set \"my proxy\" 3128",
                                  Switched("my proxy:3128", 1)},
                      CommandCase{"NotTrimmed", "Pevrix -set \" a \" \"80 \"", Switched(" a :80 ", 1)},
                      CommandCase{"FurtherArgumentsIgnored", "Pevrix -no a b c", Switched("a:b", 0)},
                      CommandCase{"NoArguments", "Pevrix", {}, kExitBadCommand},
                      CommandCase{"WithoutDash", "Pevrix set 10.0.0.1 80", {}, kExitBadCommand},
                      CommandCase{"LongerWord", "Pevrix -setx 10.0.0.1 80", {}, kExitBadCommand},
                      CommandCase{"ShorterWord", "Pevrix -n 10.0.0.1 80", {}, kExitBadCommand},
                      CommandCase{"CommandNotFirst", "Pevrix 10.0.0.1 -set 80", {}, kExitBadCommand}),
    [](const auto& info) { return std::string(info.param.Name); });

// Nothing is written, so the run counts as failed, but without a box.
TEST(PevrixCommand, UnopenableKeyWritesNothingButStillNotifies) {
  FakeSystem system;
  system.KeyOpens = false;
  ProxyPorts ports = system.Ports();
  EXPECT_EQ(HandleProxyCommand(ports, "Pevrix -set 10.0.0.1 80"), kExitKeyUnavailable);
  EXPECT_EQ(system.Journal, (std::vector<std::string>{kOpen, "option 43", "option 44", "option 39"}));
}

struct RefusalCase {
  const char* Name;
  std::string RefusedValue;
  std::vector<std::string> Journal;
};

class PevrixRefusalTest : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(PevrixRefusalTest, StopsAtTheRefusedValueAndTellsTheUserAndTheExitCode) {
  FakeSystem system;
  system.RefusedValues[GetParam().RefusedValue] = 5;
  ProxyPorts ports = system.Ports();
  EXPECT_EQ(HandleProxyCommand(ports, "Pevrix -set 10.0.0.1 80"), 5u);
  EXPECT_EQ(system.Journal, GetParam().Journal);
}

INSTANTIATE_TEST_SUITE_P(
    Values, PevrixRefusalTest,
    ::testing::Values(RefusalCase{"ProxyServer",
                                  "ProxyServer",
                                  {kOpen, "refused sz ProxyServer=10.0.0.1:80", "close",
                                   "error Failed to set data for 'ProxyServer'"}},
                      RefusalCase{"ProxyEnable",
                                  "ProxyEnable",
                                  {kOpen, "sz ProxyServer=10.0.0.1:80", "refused dword ProxyEnable=1", "close",
                                   "error Failed to set data for 'ProxyEnable'"}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(PevrixWriteProxyRegistry, RefusalCarriesTheSystemCode) {
  FakeSystem system;
  system.RefusedValues["ProxyEnable"] = 1234;
  try {
    WriteProxyRegistry(system, false, "x:1");
    FAIL() << "a refused write must throw";
  } catch (const ProxyError& error) {
    EXPECT_STREQ(error.what(), "Failed to set data for 'ProxyEnable'");
    EXPECT_EQ(error.Code(), 1234u);
  }
}

struct ValueCase {
  std::string Server;
  std::string Port;
  std::string Value;
};

class PevrixProxyValueTest : public ::testing::TestWithParam<ValueCase> {};

TEST_P(PevrixProxyValueTest, JoinsServerAndPortWithOneColon) {
  EXPECT_EQ(FormatProxyValue(GetParam().Server, GetParam().Port), GetParam().Value);
}

INSTANTIATE_TEST_SUITE_P(Values, PevrixProxyValueTest,
                         ::testing::Values(ValueCase{"10.0.0.1", "80", "10.0.0.1:80"}, ValueCase{"", "", ":"},
                                           ValueCase{"host", "", "host:"}, ValueCase{"", "8080", ":8080"},
                                           ValueCase{"a%sb", "%s", "a%sb:%s"},
                                           ValueCase{"[::1]", "3128", "[::1]:3128"}));

} // namespace
} // namespace quorvin::pevrix

// Pevrix's command line, whatever it holds. The split drops every quote and
// gives arguments that, each put in quotes again, split back to themselves;
// the three positions are the first three after the program's path; and the
// command writes the proxy only for "-set" and "-no", in the form server,
// colon, port, with the three notifications in their order after it, and
// ends with 0 then, with the code for a bad command otherwise.
#include "fuzz/FuzzCheck.h"

#include "proxyhelper/ProxyCommand.h"

#include <string>
#include <vector>

using namespace quorvin::pevrix;

namespace {

struct Written {
  std::vector<std::string> Names;
  std::string Server;
  std::uint32_t Enable = 2;
};

class FakeKey : public ProxySettingsKey {
public:
  explicit FakeKey(Written& written) : FWritten(written) {}
  std::uint32_t WriteString(std::string_view name, std::string_view value) override {
    FWritten.Names.emplace_back(name);
    FWritten.Server = value;
    return 0;
  }
  std::uint32_t WriteDword(std::string_view name, std::uint32_t value) override {
    FWritten.Names.emplace_back(name);
    FWritten.Enable = value;
    return 0;
  }

private:
  Written& FWritten;
};

class FakePorts : public ProxyRegistry, public InternetOptions, public ErrorReporter {
public:
  std::unique_ptr<ProxySettingsKey> OpenOrCreateKey(std::string_view) override {
    return std::make_unique<FakeKey>(Registry);
  }
  void SetOption(std::uint32_t option) override { Options.push_back(option); }
  void ShowError(const std::string&) override { ++Errors; }

  Written Registry;
  std::vector<std::uint32_t> Options;
  int Errors = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const std::string commandLine(reinterpret_cast<const char*>(bytes), size);
  const std::vector<std::string> arguments = SplitCommandLine(commandLine);
  std::string requoted;
  for (const std::string& argument : arguments) {
    FUZZ_CHECK(argument.find('"') == std::string::npos);
    requoted += " \"" + argument + "\"";
  }
  FUZZ_CHECK(SplitCommandLine(requoted) == arguments);

  const ProxyArguments parsed = ParseProxyArguments(commandLine);
  auto at = [&](std::size_t position) { return position < arguments.size() ? arguments[position] : std::string(); };
  FUZZ_CHECK(parsed.Command == at(1) && parsed.Server == at(2) && parsed.Port == at(3));

  FakePorts ports;
  ProxyPorts proxyPorts{ports, ports, ports};
  const std::uint32_t exitCode = HandleProxyCommand(proxyPorts, commandLine);
  const bool on = SameCommand(parsed.Command, kCommandOn);
  const bool off = SameCommand(parsed.Command, kCommandOff);
  FUZZ_CHECK(!(on && off) && ports.Errors == 0);
  FUZZ_CHECK(exitCode == (on || off ? kExitDone : kExitBadCommand));
  if (!on && !off) {
    FUZZ_CHECK(ports.Registry.Names.empty() && ports.Options.empty());
    return 0;
  }
  FUZZ_CHECK(parsed.Command.size() == (on ? 4u : 3u) && parsed.Command[0] == '-');
  FUZZ_CHECK((ports.Registry.Names == std::vector<std::string>{"ProxyServer", "ProxyEnable"}));
  FUZZ_CHECK(ports.Registry.Server == parsed.Server + ":" + parsed.Port && ports.Registry.Enable == (on ? 1u : 0u));
  FUZZ_CHECK((ports.Options == std::vector<std::uint32_t>{43, 44, 39}));
  return 0;
}

#pragma once
// Host settings held in memory, for native tests and as the base of the
// simulation off Windows. Every call that changes something is recorded in
// Calls, in order; the fields can be set to any answer. Not thread-safe.

#include "system/AccessRules.h"
#include "system/HostSettings.h"

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace quorvin {

class InMemoryHost final : public HostSettings {
public:
  std::string ComputerNameValue = "QUORVIN";
  std::set<ComputerNameKind> RefusedNameKinds;
  std::string Workgroup = "WORKGROUP";
  std::uint32_t WorkgroupStatus = 0;
  std::uint32_t JoinStatus = 0;
  std::map<std::pair<std::string, std::string>, std::string> Profile; // by lower-case names
  std::size_t AcceptedProfileWrites = SIZE_MAX; // the profile refuses every write after these
  std::vector<std::string> PrinterNames;
  OsVersion VersionValue{kPlatformNt, 6, 1};
  bool Wow64 = false;
  std::string ExecutablePathValue = "C:\\Program Files\\Quorvin\\Quorvin.exe";
  // The access rules of the paths named here; of any other, the default.
  std::map<std::string, std::optional<std::string>> AccessRules;
  std::optional<std::string> DefaultAccessRules{kAdministratorsOnlyAccess};
  bool ProxyQuerySucceeds = true;
  ProxyInfo Proxy;
  std::uint32_t Tick = 0;
  std::uint32_t TickStep = 0; // added after each reading of the tick count
  std::uint32_t WaitSlice = 0; // a wait ends after this long (a message came); 0: the full wait
  unsigned MessagesHandled = 0;
  std::optional<int> QuitAtFirstMessages; // a WM_QUIT that the first ProcessMessages takes
  std::vector<std::string> Calls;

  std::string ComputerName() override { return ComputerNameValue; }
  bool ChangeComputerName(ComputerNameKind kind, const std::string& name) override;
  std::uint32_t QueryWorkgroup(std::string& name) override;
  std::uint32_t JoinWorkgroup(const std::string& name) override;
  std::string ReadProfileText(const std::string& section, const std::string& key,
                            const std::string& defaultValue, std::size_t bufferSize) override;
  bool WriteProfileText(const std::string& section, const std::string& key,
                        const std::string& value) override;
  std::vector<std::string> Printers() override { return PrinterNames; }
  OsVersion Version() override { return VersionValue; }
  bool IsWow64Process() override { return Wow64; }
  std::string ExecutablePath() override { return ExecutablePathValue; }
  std::optional<std::string> FileAccessRules(const std::string& path) override;
  bool QueryProxy(ProxyInfo& info) override;
  void SetProxy(const ProxyInfo& info) override;
  void SendInternetOption(std::uint32_t option) override;
  std::uint32_t TickCount() override;
  std::optional<int> ProcessMessages() override;
  void PostQuit(int exitCode) override { Calls.push_back("PostQuit " + std::to_string(exitCode)); }
  void WaitForMessages(std::uint32_t milliseconds) override;
};

} // namespace quorvin

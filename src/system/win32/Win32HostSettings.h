#pragma once
// The host settings port over kernel32, netapi32, the profile functions, the
// spooler, WinINet and the file security functions of advapi32; netapi32,
// the spooler and WinINet are loaded from the system folder at their first
// use (base/win32/System32Library.h).

#include "system/HostSettings.h"

namespace quorvin {

class Win32HostSettings final : public HostSettings {
public:
  std::string ComputerName() override;
  bool ChangeComputerName(ComputerNameKind kind, const std::string& name) override;
  std::uint32_t QueryWorkgroup(std::string& name) override;
  std::uint32_t JoinWorkgroup(const std::string& name) override;
  std::string ReadProfileText(const std::string& section, const std::string& key,
                            const std::string& defaultValue, std::size_t bufferSize) override;
  bool WriteProfileText(const std::string& section, const std::string& key,
                        const std::string& value) override;
  std::vector<std::string> Printers() override;
  OsVersion Version() override;
  bool IsWow64Process() override;
  std::string ExecutablePath() override;
  std::optional<std::string> FileAccessRules(const std::string& path) override;
  bool QueryProxy(ProxyInfo& info) override;
  void SetProxy(const ProxyInfo& info) override;
  void SendInternetOption(std::uint32_t option) override;
  std::uint32_t TickCount() override;
  std::optional<int> ProcessMessages() override;
  void PostQuit(int exitCode) override;
  void WaitForMessages(std::uint32_t milliseconds) override;
};

} // namespace quorvin

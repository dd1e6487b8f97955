#pragma once
// The host of the simulation: the computer name, the workgroup, the printers
// and the default printer ("Devices" and "Windows" "Device" of the profile)
// come from network.ini and are written back to it at once (Windows applies
// a new computer name and workgroup only at its next start; the simulation
// shows them right away). The access rules of every file and folder are the
// file's "ProgramAccess", so that the simulation decides whether the program
// may start with Windows. Everything else is the base host's.

#include "system/HostSettings.h"

#include <string>

namespace quorvin {

class SimulatedHost final : public HostSettings {
public:
  SimulatedHost(std::string folder, HostSettings& base);

  std::string ComputerName() override;
  bool ChangeComputerName(ComputerNameKind kind, const std::string& name) override;
  std::uint32_t QueryWorkgroup(std::string& name) override;
  std::uint32_t JoinWorkgroup(const std::string& name) override;
  std::string ReadProfileText(const std::string& section, const std::string& key,
                            const std::string& defaultValue, std::size_t bufferSize) override;
  bool WriteProfileText(const std::string& section, const std::string& key,
                        const std::string& value) override;
  std::vector<std::string> Printers() override;

  OsVersion Version() override { return FBase.Version(); }
  bool IsWow64Process() override { return FBase.IsWow64Process(); }
  std::string ExecutablePath() override { return FBase.ExecutablePath(); }
  std::optional<std::string> FileAccessRules(const std::string& path) override;
  bool QueryProxy(ProxyInfo& info) override { return FBase.QueryProxy(info); }
  void SetProxy(const ProxyInfo& info) override { FBase.SetProxy(info); }
  void SendInternetOption(std::uint32_t option) override { FBase.SendInternetOption(option); }
  // While a file named "hold" lies in the folder, the clock stands still:
  // a pause that starts meanwhile (the adapter's moment after an address
  // change) lasts until the file goes, handling the window's messages all
  // along, as a slow adapter would. The first such reading leaves a file
  // named "held", so that whoever made the hold learns that it holds.
  std::uint32_t TickCount() override;
  std::optional<int> ProcessMessages() override { return FBase.ProcessMessages(); }
  void PostQuit(int exitCode) override { FBase.PostQuit(exitCode); }
  void WaitForMessages(std::uint32_t milliseconds) override { FBase.WaitForMessages(milliseconds); }

private:
  std::string FFolder;
  HostSettings& FBase;
};

} // namespace quorvin

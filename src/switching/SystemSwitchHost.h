#pragma once
// The host side of a switch over the program's system ports: the host
// settings, the registry (also for reading the adapter's settings back), and
// the proxy helper run from the program's own folder, through the launcher,
// which waits for it to end.

#include "switching/ProcessLauncher.h"
#include "switching/SwitchThread.h"
#include "system/SystemServices.h"

#include <memory>

namespace quorvin {

class SystemSwitchHost final : public SwitchHost {
public:
  SystemSwitchHost(SystemServices& system, ProcessLauncher& launcher);
  // Keeps the launcher for as long as the host lives.
  SystemSwitchHost(SystemServices& system, std::unique_ptr<ProcessLauncher> launcher);

  bool SetHostName(const std::string& name) override;
  std::uint32_t JoinWorkgroup(const std::string& workgroup) override;
  bool MakeDefaultPrinter(const std::string& printer) override;
  void ApplyProxyInProcess(bool useProxy, const std::string& address, const std::string& port) override;
  ProcessRun RunProxyHelper(bool useProxy, const std::string& address, const std::string& port) override;
  int GetOsVersionCode() override;
  void PumpWait(unsigned milliseconds) override;
  IpConfig ReadAdapterConfig(const std::string& guid) override;

private:
  SystemServices& FSystem;
  std::unique_ptr<ProcessLauncher> FOwnedLauncher;
  ProcessLauncher& FLauncher;
};

// The folder of a full executable path, with its trailing delimiter.
std::string FolderOf(const std::string& executablePath);

} // namespace quorvin

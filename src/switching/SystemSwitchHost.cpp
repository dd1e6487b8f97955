#include "switching/SystemSwitchHost.h"

#include "switching/ProxyHelperCommand.h"
#include "system/HostOperations.h"
#include "system/OsVersion.h"
#include "system/ProxySettings.h"
#include "system/PumpWait.h"

namespace quorvin {

SystemSwitchHost::SystemSwitchHost(SystemServices& system, ProcessLauncher& launcher)
    : FSystem(system), FLauncher(launcher) {}

SystemSwitchHost::SystemSwitchHost(SystemServices& system, std::unique_ptr<ProcessLauncher> launcher)
    : FSystem(system), FOwnedLauncher(std::move(launcher)), FLauncher(*FOwnedLauncher) {}

bool SystemSwitchHost::SetHostName(const std::string& name) { return quorvin::SetHostName(FSystem.Host(), name); }

std::uint32_t SystemSwitchHost::JoinWorkgroup(const std::string& workgroup) {
  return quorvin::JoinWorkgroup(FSystem.Host(), workgroup);
}

bool SystemSwitchHost::MakeDefaultPrinter(const std::string& printer) {
  return quorvin::MakeDefaultPrinter(FSystem.Host(), printer);
}

void SystemSwitchHost::ApplyProxyInProcess(bool useProxy, const std::string& address, const std::string& port) {
  quorvin::ApplyProxyInProcess(FSystem.GetRegistry(), FSystem.Host(), useProxy, address, port);
}

ProcessRun SystemSwitchHost::RunProxyHelper(bool useProxy, const std::string& address, const std::string& port) {
  const std::string folder = FolderOf(FSystem.Host().ExecutablePath());
  return FLauncher.RunHidden(ProxyHelperCommandLine(folder, useProxy, address, port));
}

int SystemSwitchHost::GetOsVersionCode() { return quorvin::GetOsVersionCode(FSystem.Host()); }

void SystemSwitchHost::PumpWait(unsigned milliseconds) { quorvin::PumpWait(FSystem.Host(), milliseconds); }

IpConfig SystemSwitchHost::ReadAdapterConfig(const std::string& guid) {
  IpConfig config;
  ReadIpConfig(FSystem.GetRegistry(), guid, config);
  return config;
}

std::string FolderOf(const std::string& executablePath) {
  const auto delimiter = executablePath.find_last_of("\\/");
  return delimiter == std::string::npos ? std::string() : executablePath.substr(0, delimiter + 1);
}

} // namespace quorvin

#include "system/sim/SimulatedHost.h"

#include "base/AsciiCase.h"
#include "system/sim/SimulatedNetwork.h"

#include "store/FileIo.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>

namespace quorvin {
namespace {

// The longest NetBIOS name the system reports.
constexpr std::size_t kNetBiosNameLength = 15;

// One change to the file at a time within the process: each is a load,
// the change and a save.
void ChangeHost(const std::string& folder, const std::function<void(SimulatedHostState&)>& change) {
  static std::mutex lock;
  std::lock_guard guard(lock);
  SimulatedNetwork network(folder);
  change(network.Host);
  network.Save();
}

bool SameName(std::string_view a, std::string_view b) { return EqualsIgnoringCase(a, b); }

bool IsDefaultDevice(const std::string& section, const std::string& key) {
  return SameName(section, "Windows") && SameName(key, "Device");
}

SimulatedPrinter* FindPrinter(SimulatedHostState& host, std::string_view name) {
  const auto found = std::find_if(host.Printers.begin(), host.Printers.end(),
                                  [&](const auto& printer) { return SameName(printer.Name, name); });
  return found == host.Printers.end() ? nullptr : &*found;
}

} // namespace

SimulatedHost::SimulatedHost(std::string folder, HostSettings& base)
    : FFolder(std::move(folder)), FBase(base) {}

std::string SimulatedHost::ComputerName() {
  return SimulatedNetwork(FFolder).Host.ComputerName.substr(0, kNetBiosNameLength);
}

bool SimulatedHost::ChangeComputerName(ComputerNameKind kind, const std::string& name) {
  if (kind != ComputerNameKind::PhysicalNetBios)
    return true; // the simulation keeps one name
  ChangeHost(FFolder, [&](SimulatedHostState& host) { host.ComputerName = name; });
  return true;
}

std::optional<std::string> SimulatedHost::FileAccessRules(const std::string&) {
  return SimulatedNetwork(FFolder).Host.ProgramAccess;
}

std::uint32_t SimulatedHost::QueryWorkgroup(std::string& name) {
  name = SimulatedNetwork(FFolder).Host.Workgroup;
  return 0;
}

std::uint32_t SimulatedHost::JoinWorkgroup(const std::string& name) {
  ChangeHost(FFolder, [&](SimulatedHostState& host) { host.Workgroup = name; });
  return 0;
}

std::string SimulatedHost::ReadProfileText(const std::string& section, const std::string& key,
                                         const std::string& defaultValue, std::size_t bufferSize) {
  if (SameName(section, "Devices")) {
    SimulatedNetwork network(FFolder);
    const SimulatedPrinter* printer = FindPrinter(network.Host, key);
    return CutToBuffer(printer ? printer->Device : defaultValue, bufferSize);
  }
  if (IsDefaultDevice(section, key)) {
    const std::string device = SimulatedNetwork(FFolder).Host.DefaultDevice;
    return CutToBuffer(device.empty() ? defaultValue : device, bufferSize);
  }
  return FBase.ReadProfileText(section, key, defaultValue, bufferSize);
}

bool SimulatedHost::WriteProfileText(const std::string& section, const std::string& key,
                                     const std::string& value) {
  const bool devices = SameName(section, "Devices");
  if (!devices && !IsDefaultDevice(section, key))
    return FBase.WriteProfileText(section, key, value);
  ChangeHost(FFolder, [&](SimulatedHostState& host) {
    if (!devices)
      host.DefaultDevice = value;
    else if (SimulatedPrinter* printer = FindPrinter(host, key))
      printer->Device = value;
    else
      host.Printers.push_back({key, value});
  });
  return true;
}

std::vector<std::string> SimulatedHost::Printers() {
  std::vector<std::string> names;
  for (const auto& printer : SimulatedNetwork(FFolder).Host.Printers)
    names.push_back(printer.Name);
  return names;
}

std::uint32_t SimulatedHost::TickCount() {
  const std::filesystem::path folder(FFolder);
  if (!FileExists((folder / "hold").string()))
    return FBase.TickCount();
  if (!FileExists((folder / "held").string()))
    std::ofstream((folder / "held").string(), std::ios::binary) << "held\r\n";
  return 0;
}

} // namespace quorvin

#include "system/HostOperations.h"

#include <string_view>

namespace quorvin {
namespace {

bool IsBlank(std::string_view text) {
  return text.find_first_not_of(" \t\r\n\v\f") == std::string_view::npos;
}

} // namespace

std::string GetComputerNameText(HostSettings& host) { return host.ComputerName(); }

std::string GetWorkgroupName(HostSettings& host) {
  std::string name;
  return host.QueryWorkgroup(name) == 0 ? name : std::string();
}

bool SetHostName(HostSettings& host, const std::string& name) {
  // The name travels in a buffer of 20 bytes; a longer name would be cut
  // into a different name, so it is refused instead.
  if (name.size() > kMaxHostNameLength)
    return false;
  return host.ChangeComputerName(ComputerNameKind::PhysicalNetBios, name) &&
         host.ChangeComputerName(ComputerNameKind::PhysicalDnsHostname, name);
}

std::uint32_t JoinWorkgroup(HostSettings& host, const std::string& name) {
  return host.JoinWorkgroup(name);
}

bool MakeDefaultPrinter(HostSettings& host, const std::string& name) {
  const std::string entry = host.ReadProfileText("Devices", name, "", kProfileBufferSize);
  if (IsBlank(entry))
    return false;
  if (!host.ReadProfileText("Windows", "Device", "", kProfileBufferSize).empty() &&
      !host.WriteProfileText("Windows", "Device", ""))
    return false;
  return host.WriteProfileText("Windows", "Device", name + "," + entry);
}

std::string GetDefaultPrinter(HostSettings& host) {
  const std::string device = host.ReadProfileText("Windows", "Device", "", kProfileBufferSize);
  return device.substr(0, device.find(','));
}

} // namespace quorvin

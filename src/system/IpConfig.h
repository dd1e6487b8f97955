#pragma once
// The reader of an adapter's present TCP/IP settings: the adapter's TCP/IP
// and NetBT parameters in the registry, found by its interface GUID.

#include "system/Registry.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quorvin {

// Followed by the interface GUID in braces.
inline constexpr std::string_view kTcpipInterfacesPath =
    "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\";
inline constexpr std::string_view kNetbtInterfacesPath =
    "SYSTEM\\CurrentControlSet\\services\\NetBT\\Parameters\\Interfaces\\Tcpip_";

// Multi-string values are read through a buffer of this many bytes.
inline constexpr std::size_t kMultiStringBufferSize = 255;

struct IpConfig {
  bool DhcpEnabled = false;
  bool AutoDns = false;
  std::string IPAddress;
  std::string SubnetMask;
  std::string DefaultGateway;
  std::string PreferredDns;
  std::string AlternateDns;
  std::string PrimaryWins;
  std::string SecondaryWins;
  std::string DnsDomain;

  bool operator==(const IpConfig&) const = default;
};

// Fills config from the registry. A missing interface key leaves DHCP and
// automatic DNS off. A missing or mistyped "EnableDHCP" and a mistyped or
// oversized multi-string raise the registry's error texts.
void ReadIpConfig(Registry& registry, std::string_view identifier, IpConfig& config);

// Appends the strings of a multi-string value under HKEY_LOCAL_MACHINE;
// nothing when the key or the value is missing. A string or number value,
// or one over kMultiStringBufferSize bytes, raises "Invalid data type for '%s'".
void ReadMultiString(Registry& registry, std::string_view keyPath, std::string_view valueName,
                     std::vector<std::string>& list);

} // namespace quorvin

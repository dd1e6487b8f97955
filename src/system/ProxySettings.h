#pragma once
// The LAN proxy: read from the internet library's settings, and set in
// process by writing the current user's internet settings and telling the
// internet library.

#include "system/HostSettings.h"
#include "system/Registry.h"

#include <string>
#include <string_view>

namespace quorvin {

inline constexpr std::string_view kInternetSettingsPath =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

struct ProxyAddress {
  std::string Server;
  int Port = 0;
  bool operator==(const ProxyAddress&) const = default;
};

// The proxy list when the internet library uses a proxy, else empty.
std::string GetProxyList(HostSettings& host);
// The server and port for one protocol ("http") out of a proxy list.
ProxyAddress GetProxyFor(std::string_view proxyList, std::string_view protocol);
ProxyAddress GetProxyFor(HostSettings& host, std::string_view protocol);

// Writes "ProxyServer" (REG_SZ) and then "ProxyEnable" (REG_DWORD 1 or 0)
// under HKEY_CURRENT_USER. A key that cannot be opened writes nothing; a
// refused value raises "Failed to set data for '%s'".
void WriteProxyRegistry(Registry& registry, bool enable, std::string_view value);
// "address:port" to the registry, then the address alone to the internet
// library of this process, then the settings-changed notifications.
void ApplyProxyInProcess(Registry& registry, HostSettings& host, bool enable,
                         std::string_view address, std::string_view port);

} // namespace quorvin

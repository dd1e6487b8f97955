#pragma once
// Pevrix's one job: switch the current user's proxy on or off as its
// command line says, then make the internet library reload its settings.

#include "proxyhelper/ProxyArguments.h"
#include "proxyhelper/ProxyPorts.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace quorvin::pevrix {

inline constexpr std::string_view kCommandOn = "-set";
inline constexpr std::string_view kCommandOff = "-no";

inline constexpr std::string_view kInternetSettingsPath =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
inline constexpr std::string_view kProxyServerValue = "ProxyServer";
inline constexpr std::string_view kProxyEnableValue = "ProxyEnable";
inline constexpr std::string_view kSetDataFailedText = "Failed to set data for '%s'";

inline constexpr std::uint32_t kOptionProxyUsername = 43;
inline constexpr std::uint32_t kOptionProxyPassword = 44;
inline constexpr std::uint32_t kOptionSettingsChanged = 39;

// The registry form of a proxy: the server, one colon, the port.
std::string FormatProxyValue(std::string_view server, std::string_view port);

// Writes "ProxyServer" and then "ProxyEnable". An unopenable key writes
// nothing and is not an error; a refused value throws ProxyError and leaves
// the values after it unwritten.
void WriteProxyRegistry(ProxyRegistry& registry, bool enable, std::string_view proxyValue);

// Writes the proxy and sends the three reload notifications in their order,
// also when the key could not be opened.
void SetProxy(ProxyPorts& ports, bool enable, std::string_view server, std::string_view port);

// "-no" switches the proxy off, "-set" on; any other command does nothing.
void RunProxyCommand(ProxyPorts& ports, const ProxyArguments& arguments);

// Runs a whole command line and shows an error to the user instead of
// letting it escape; afterwards the program is free to end.
void HandleProxyCommand(ProxyPorts& ports, std::string_view commandLine);

} // namespace quorvin::pevrix

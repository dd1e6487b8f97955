#pragma once
// Pevrix's one job: switch the current user's proxy on or off as its
// command line says, then make the internet library reload its settings.
// The outcome is the program's exit code, which Quorvin waits for.

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

// Exit codes, numbered as the system's errors are, since Quorvin shows them
// as it shows those. A refused value ends with the registry's own status.
inline constexpr std::uint32_t kExitDone = 0; // written, and the reload sent
inline constexpr std::uint32_t kExitBadCommand = 160; // ERROR_BAD_ARGUMENTS: neither "-set" nor "-no"
inline constexpr std::uint32_t kExitKeyUnavailable = 1011; // ERROR_CANTOPEN
inline constexpr std::uint32_t kExitFailed = 1359; // ERROR_INTERNAL_ERROR: any other error

// The registry form of a proxy: the server, one colon, the port.
std::string FormatProxyValue(std::string_view server, std::string_view port);

// Writes "ProxyServer" and then "ProxyEnable". An unopenable key writes
// nothing and gives false, without a message; a refused value throws
// ProxyError and leaves the values after it unwritten.
bool WriteProxyRegistry(ProxyRegistry& registry, bool enable, std::string_view proxyValue);

// Writes the proxy and sends the three reload notifications in their order,
// also when the key could not be opened; false then.
bool SetProxy(ProxyPorts& ports, bool enable, std::string_view server, std::string_view port);

// "-no" switches the proxy off, "-set" on; any other command does nothing.
// The exit code; a refused value throws.
std::uint32_t RunProxyCommand(ProxyPorts& ports, const ProxyArguments& arguments);

// Runs a whole command line and shows an error to the user instead of
// letting it escape; afterwards the program is free to end with the exit
// code returned.
std::uint32_t HandleProxyCommand(ProxyPorts& ports, std::string_view commandLine);

} // namespace quorvin::pevrix

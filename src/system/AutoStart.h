#pragma once
// The program's start with Windows (a Run value under HKEY_LOCAL_MACHINE)
// and the machine-wide registry switches set at every start.

#include "system/HostSettings.h"
#include "system/Registry.h"

#include <cstdint>
#include <string_view>

namespace quorvin {

inline constexpr std::string_view kAutoStartValueName = "Quorvin 3.5";
inline constexpr std::string_view kAutoStartArgument = " -Start";
inline constexpr std::string_view kRunKeyPath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr std::string_view kRunKeyPathWow64 =
    "SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run";

// Whether this 32-bit program runs on 64-bit Windows.
bool IsWow64(HostSettings& host);
std::string_view RunKeyPath(bool wow64);

// True when the Run value holds "-Start"; a missing key or value is false.
bool GetAutoStart(Registry& registry, HostSettings& host);
// On: writes the executable's path and " -Start"; off: deletes the value.
// A refused write raises "Failed to set data for '%s'".
void SetAutoStart(Registry& registry, HostSettings& host, bool on);

// Writes value under HKEY_LOCAL_MACHINE unless the value there is already 1.
// An existing value of another type than REG_DWORD raises "Invalid data type
// for '%s'", a refused write "Failed to set data for '%s'".
void EnsureRegistryFlag(Registry& registry, std::string_view keyPath, std::string_view valueName,
                        std::uint32_t value);

} // namespace quorvin

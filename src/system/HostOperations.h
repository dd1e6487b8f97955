#pragma once
// The computer name, the workgroup and the default printer: reading them and
// setting them, over the host settings port.

#include "system/HostSettings.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace quorvin {

// The longest computer name that SetHostName passes on.
inline constexpr std::size_t kMaxHostNameLength = 19;
// Profile strings are read through a buffer of this many bytes.
inline constexpr std::size_t kProfileBufferSize = 254;

std::string GetComputerNameText(HostSettings& host);
// Empty when the system cannot say.
std::string GetWorkgroupName(HostSettings& host);

// Sets the NetBIOS name, then the DNS host name (skipped when the first
// fails). A name longer than kMaxHostNameLength is refused: false, and
// nothing is set.
bool SetHostName(HostSettings& host, const std::string& name);
// The system's status, 0 on success.
std::uint32_t JoinWorkgroup(HostSettings& host, const std::string& name);
// Makes the printer with that name the default through the profile; false,
// and the old default stays, when the printer has no "Devices" entry. Also
// false when the profile refused a write: the default is then unknown.
bool MakeDefaultPrinter(HostSettings& host, const std::string& name);
// The default printer's name: the profile's "Windows" "Device" up to its
// first ","; empty when there is none.
std::string GetDefaultPrinter(HostSettings& host);

} // namespace quorvin

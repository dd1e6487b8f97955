#pragma once
// A simulated machine in a temporary folder: one office adapter on DHCP, a
// host with two printers. Shared by the native and the Wine switch tests.

#include <string>
#include <string_view>

namespace quorvin::test {

inline constexpr std::string_view kLabMac = "00:0C:29:3A:5B:7C";

// Writes network.ini into folder.
void WriteLabNetwork(const std::string& folder);

} // namespace quorvin::test

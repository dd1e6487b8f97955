#pragma once
// A simulated machine in a temporary folder: one office adapter on DHCP, a
// host with two printers. Shared by the native and the Wine switch tests.

#include "switching/SwitchThread.h"

#include <string>
#include <string_view>

namespace quorvin::test {

inline constexpr std::string_view kLabMac = "00:0C:29:3A:5B:7C";
inline constexpr std::string_view kLabGuid = "{0C293A5B-7C00-4000-8000-00000000000A}";

// Writes network.ini into folder; adapterLines (each ended by CR LF) are
// further keys of the adapter's section.
void WriteLabNetwork(const std::string& folder, const std::string& adapterLines = {});

// A switch of set on the lab's adapter, under the default captions.
TSwitchInput LabInput(const TSetRecord& set);

} // namespace quorvin::test

#pragma once
// "Quorvin.exe /status": for each adapter, one JSON object on a line of its
// own, for scripts and fleet tools:
//
//   {"adapter":"Local Area Connection","device":"Intel(R) PRO/1000 ...",
//    "mac":"00:0C:29:3A:5B:7C","guid":"{...}","dhcp":false,
//    "address":"10.20.30.41","mask":"255.255.255.0","gateway":"10.20.30.1",
//    "dns":["10.20.30.2"],"dnsDomain":"","wins":[],
//    "network":{"gatewayMac":"00:1B:21:4C:7A:10","gateway":"10.20.30.1",
//               "dnsSuffix":"","ssid":""},
//    "inEffect":["Office"],"matching":["Office"]}
//
// "inEffect": the sets whose ticked adapter items the adapter reports now;
// "matching": the sets whose network the adapter is on. Texts are as the
// settings file and the system give them; the Win32 side writes them as
// UTF-8.

#include "store/ProfileFile.h"
#include "system/SystemServices.h"

#include <string>
#include <string_view>
#include <vector>

namespace quorvin {

inline constexpr std::string_view kStatusArgument = "/status";
// "/status" (any case) when no set has that name.
bool IsStatusArgument(std::string_view argument, const std::vector<std::string>& captions);

// The lines; an adapter list that cannot be read gives one object with
// "error" and the system's text.
std::vector<std::string> StatusLines(ProfileFile& file, SystemServices& system);

// text as a JSON string, quotes included.
std::string JsonString(std::string_view text);

} // namespace quorvin

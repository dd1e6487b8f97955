#pragma once
// The four operations that change one network adapter's TCP/IP configuration
// through the management service, and the texts of their result codes.
//
// Each operation finds the IP-enabled adapter configurations whose MAC
// address equals the given text, calls its method(s) on every one of them
// and returns a result code: 0 success, 1 and 64..100 the service's own
// return values, kNoMatchingAdapter when nothing matched (nothing was
// called), kMethodCallError when calling a method failed. With several
// matches a refusal (any code but 0 and 1) wins over 1, 1 wins over 0, and
// among refusals the first is returned. A service that cannot be
// reached or queried raises QuorvinError instead. Texts are 8-bit texts.

#include "switching/ManagementSession.h"

#include <cstdint>
#include <string_view>

namespace quorvin {

inline constexpr std::int32_t kNoMatchingAdapter = -100;
inline constexpr std::int32_t kMethodCallError = -1;

// The mask used when the mask text is empty.
inline constexpr std::string_view kDefaultSubnetMask = "255.255.255.0";

// An empty IP text, or "DHCP" in any letter case: SetAdapterIP switches the
// adapter to DHCP.
bool SwitchesToDhcp(std::string_view ip);

// Switches the adapter to DHCP (SwitchesToDhcp); otherwise sets the address
// and mask and, when that succeeded and a gateway is given, the gateway.
std::int32_t SetAdapterIP(ManagementService& service, std::string_view ip, std::string_view gateway,
                          std::string_view mask, std::string_view mac);

// The non-empty ones of two server texts, in their order.
TextList ServerList(std::string_view first, std::string_view second);

// Sets ServerList(preferred, alternate); with neither the adapter takes its
// DNS servers from DHCP again.
std::int32_t SetAdapterDNS(ManagementService& service, std::string_view preferred,
                           std::string_view alternate, std::string_view mac);

std::int32_t SetAdapterDNSDomain(ManagementService& service, std::string_view domain,
                                 std::string_view mac);

std::int32_t SetAdapterWINS(ManagementService& service, std::string_view primary,
                            std::string_view secondary, std::string_view mac);

// The text for a result code; empty for a code without one.
std::string_view IpSetResultText(std::int32_t code);

} // namespace quorvin

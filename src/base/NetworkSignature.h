#pragma once
// What identifies a network: as a set names it (the network the set belongs
// to) or as an adapter sees it now. Empty fields are not named (for a set)
// or not known (for an adapter).

#include <functional>
#include <optional>
#include <string>

namespace quorvin {

struct TNetworkSignature {
  std::string GatewayMac; // hex pairs, any separator and letter case
  std::string GatewayAddress;
  std::string DnsSuffix;
  std::string Ssid;

  bool operator==(const TNetworkSignature&) const = default;
};

// What the adapter chosen now sees of its network; nothing when no adapter
// is chosen.
using TCurrentNetwork = std::function<std::optional<TNetworkSignature>()>;

} // namespace quorvin

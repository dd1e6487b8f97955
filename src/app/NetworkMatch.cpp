#include "app/NetworkMatch.h"

#include "base/AsciiCase.h"

#include <algorithm>
#include <cctype>

namespace quorvin {
namespace {

// The hex digits alone, upper case: "00-1b-21-4c-7a-10" is "001B214C7A10".
std::string MacDigits(const std::string& mac) {
  std::string digits;
  for (const char c : mac) {
    if (std::isxdigit(static_cast<unsigned char>(c)))
      digits += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  return digits;
}

std::string SuffixKey(std::string suffix) {
  if (!suffix.empty() && suffix.back() == '.')
    suffix.pop_back();
  return LowerAscii(suffix);
}

// Two sightings of one network: the gateway's MAC decides where both know
// it, else the SSID, else the whole signature.
bool SameNetwork(const TNetworkSignature& a, const TNetworkSignature& b) {
  if (!a.GatewayMac.empty() && !b.GatewayMac.empty())
    return MacDigits(a.GatewayMac) == MacDigits(b.GatewayMac);
  if (!a.Ssid.empty() && !b.Ssid.empty())
    return a.Ssid == b.Ssid;
  return a == b;
}

} // namespace

bool NamesNetwork(const TNetworkSignature& set) {
  return !set.GatewayMac.empty() || !set.GatewayAddress.empty() || !set.DnsSuffix.empty() || !set.Ssid.empty();
}

bool MatchesNetwork(const TNetworkSignature& set, const TNetworkSignature& seen) {
  if (!NamesNetwork(set))
    return false;
  const bool macHolds = !set.GatewayMac.empty() && MacDigits(set.GatewayMac) == MacDigits(seen.GatewayMac);
  // The suffix comes from DHCP and goes with a fixed address; where the
  // gateway's MAC names the network, a missing suffix does not contradict it.
  const bool suffixHolds = set.DnsSuffix.empty() || SuffixKey(set.DnsSuffix) == SuffixKey(seen.DnsSuffix) ||
                           (macHolds && seen.DnsSuffix.empty());
  return (set.GatewayMac.empty() || macHolds) &&
         (set.GatewayAddress.empty() || set.GatewayAddress == seen.GatewayAddress) && suffixHolds &&
         (set.Ssid.empty() || set.Ssid == seen.Ssid);
}

TNetworkDecision NetworkWatch::Decide(const TNetworkSignature& seen, const std::vector<TNetworkSet>& sets,
                                      const TSwitchingState& state) {
  // Busy: nothing now, and the change is not spent; the next one decides.
  if (!state.Enabled || state.Busy || (FHandled && SameNetwork(*FHandled, seen)))
    return {};
  FHandled = seen;
  TNetworkDecision decision;
  for (const TNetworkSet& set : sets) {
    if (MatchesNetwork(set.Network, seen))
      decision.Sets.push_back(set.Index);
  }
  if (decision.Sets.size() > 1) {
    decision.Action = TNetworkAction::AskAmong;
    return decision;
  }
  if (decision.Sets.empty() || std::ranges::find(state.SetsInEffect, decision.Sets[0]) != state.SetsInEffect.end())
    return decision;
  for (const TNetworkSet& set : sets) {
    if (set.Index == decision.Sets[0])
      decision.Action = set.Mode == TAutoSwitch::Apply ? TNetworkAction::Apply
                        : set.Mode == TAutoSwitch::Ask ? TNetworkAction::Ask
                                                       : TNetworkAction::Show;
  }
  return decision;
}

} // namespace quorvin

#pragma once
// Which set belongs to the network an adapter is on, and whether Quorvin may
// switch to it by itself. A set names its network by one or more
// conditions; it matches when every condition it names holds. The rules
// that keep automatic switching from looping live here too: at most one
// automatic switch per change of network, none while the user is busy with
// the program, none to a set already in effect.

#include "base/NetworkSignature.h"
#include "store/SetNetwork.h"

#include <optional>
#include <string>
#include <vector>

namespace quorvin {

struct TNetworkSet {
  int Index = -1;
  TNetworkSignature Network;
  TAutoSwitch Mode = TAutoSwitch::Ask;
};

// No condition named: the set belongs to no network.
bool NamesNetwork(const TNetworkSignature& set);
// Every condition the set names holds for what the adapter sees. A gateway
// MAC compares by its bytes; the DNS suffix without letter case and a
// trailing dot; the SSID exactly. A suffix the adapter does not see (a
// fixed address has none from DHCP) is no contradiction where the gateway's
// MAC, named by the set, holds.
bool MatchesNetwork(const TNetworkSignature& set, const TNetworkSignature& seen);

// What the program is doing when a change of network settles.
struct TSwitchingState {
  bool Enabled = true;       // the option "Switch sets automatically"
  bool Busy = false;         // a dialog of the window is open, a switch runs, the keep question is asked
  std::vector<int> SetsInEffect; // the sets whose adapter items the adapter reports now
};

enum class TNetworkAction { Nothing, Apply, Ask, Show, AskAmong };

struct TNetworkDecision {
  TNetworkAction Action = TNetworkAction::Nothing;
  std::vector<int> Sets; // the matching sets, in tab order
};

// Decides for one settled change of network. seen is what the adapter sees
// now; handled is the signature the last decision was made for, so that the
// same network never leads to a second automatic switch (after a set of
// fixed address, the DHCP suffix may vanish while the gateway MAC stays: the
// network is the same, and nothing happens).
class NetworkWatch {
public:
  TNetworkDecision Decide(const TNetworkSignature& seen, const std::vector<TNetworkSet>& sets,
                          const TSwitchingState& state);

private:
  std::optional<TNetworkSignature> FHandled;
};

} // namespace quorvin

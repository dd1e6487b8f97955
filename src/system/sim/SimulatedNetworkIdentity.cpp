#include "system/sim/SimulatedNetworkIdentity.h"

#include "system/sim/SimulatedNetwork.h"

namespace quorvin {

TNetworkSignature SimulatedNetworkIdentity::Seen(const std::string& adapterGuid) {
  try {
    SimulatedNetwork network(FFolder);
    const SimulatedAdapter* adapter = network.FindByGuid(adapterGuid);
    if (adapter == nullptr || !adapter->IpEnabled)
      return {};
    // The gateway's MAC and the Wi-Fi name belong to the network, not to the
    // adapter's configuration: they stay when a fixed address replaces DHCP.
    TNetworkSignature seen;
    seen.GatewayMac = adapter->GatewayMac;
    seen.Ssid = adapter->Ssid;
    if (adapter->DhcpEnabled) {
      seen.GatewayAddress = adapter->DhcpGateway;
      seen.DnsSuffix = adapter->DhcpDnsSuffix;
    } else {
      seen.GatewayAddress = adapter->Gateways.empty() ? std::string() : adapter->Gateways.front();
      seen.DnsSuffix = adapter->DnsDomain;
    }
    return seen;
  } catch (...) {
    // A file that cannot be read (a MAC that is no MAC) shows no network.
    return {};
  }
}

} // namespace quorvin

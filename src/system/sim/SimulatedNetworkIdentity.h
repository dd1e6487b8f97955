#pragma once
// The network identity of the simulation: what an adapter of network.ini
// sees (GatewayMAC, SSID, and DNSSuffix and DHCPGateway while DHCP is on,
// its own DNSDomain and first DefaultGateway while it is off). The file is
// read anew on each call, as it changes under the program.

#include "system/NetworkIdentity.h"

#include <string>

namespace quorvin {

class SimulatedNetworkIdentity final : public NetworkIdentity {
public:
  explicit SimulatedNetworkIdentity(std::string folder) : FFolder(std::move(folder)) {}

  TNetworkSignature Seen(const std::string& adapterGuid) override;

private:
  std::string FFolder;
};

} // namespace quorvin

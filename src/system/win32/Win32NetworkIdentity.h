#pragma once
// The machine's network identity: the adapter's first IPv4 gateway and DNS
// suffix from GetAdaptersAddresses, the gateway's MAC from the neighbour
// table (resolved once when the table has none), and the Wi-Fi network's
// name from the WLAN service. The IP helper and wlanapi come from the system
// folder (System32Library.h).

#include "system/NetworkIdentity.h"

namespace quorvin {

class Win32NetworkIdentity final : public NetworkIdentity {
public:
  TNetworkSignature Seen(const std::string& adapterGuid) override;
};

} // namespace quorvin

#pragma once
// The connections from the network connection manager, or from the adapter
// addresses where the manager is missing; the IP adapter records from
// GetAdaptersInfo. The IP helper is loaded from the system folder at its
// first use (base/win32/IpHelperCalls.h). The calling thread must have
// initialised COM.

#include "system/NetworkInfo.h"

namespace quorvin {

class Win32NetworkInfo final : public NetworkInfo {
public:
  std::optional<std::vector<ConnectionRecord>> Connections() override;
  std::vector<AdapterRecord> Adapters() override;
};

// The connections as GetAdaptersAddresses gives them (friendly name,
// description, adapter GUID), loopback and tunnel interfaces left out.
std::optional<std::vector<ConnectionRecord>> ConnectionsFromAdapterAddresses();

} // namespace quorvin

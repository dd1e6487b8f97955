#include "system/sim/SimulatedNetworkInfo.h"

#include "system/sim/SimulatedNetwork.h"

namespace quorvin {

std::optional<std::vector<ConnectionRecord>> SimulatedNetworkInfo::Connections() {
  std::vector<ConnectionRecord> connections;
  for (const auto& adapter : SimulatedNetwork(FFolder).Adapters)
    connections.push_back({adapter.ConnectionName, adapter.Description, adapter.Guid});
  return connections;
}

std::vector<AdapterRecord> SimulatedNetworkInfo::Adapters() {
  std::vector<AdapterRecord> records;
  for (const auto& adapter : SimulatedNetwork(FFolder).Adapters)
    records.push_back({adapter.ComboIndex, adapter.Description, adapter.Mac});
  return records;
}

} // namespace quorvin

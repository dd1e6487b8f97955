#pragma once
// The connections and IP adapter records of the simulation: one connection
// and one adapter record per adapter of network.ini, read anew on each call.

#include "system/NetworkInfo.h"

#include <string>

namespace quorvin {

class SimulatedNetworkInfo final : public NetworkInfo {
public:
  explicit SimulatedNetworkInfo(std::string folder) : FFolder(std::move(folder)) {}

  std::optional<std::vector<ConnectionRecord>> Connections() override;
  std::vector<AdapterRecord> Adapters() override;

private:
  std::string FFolder;
};

} // namespace quorvin

#include "switching/IpSetService.h"

#include "switching/sim/SimulatedManagementService.h"
#include "system/sim/SimulatedNetwork.h"

namespace quorvin {

std::unique_ptr<ManagementService> CreateManagementService(const std::optional<std::string>& simulationFolder) {
  if (simulationFolder)
    return std::make_unique<SimulatedManagementService>(*simulationFolder);
  return CreatePlatformManagementService();
}

std::unique_ptr<ManagementService> CreateManagementService() { return CreateManagementService(SimulationFolder()); }

} // namespace quorvin

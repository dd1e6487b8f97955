#include "switching/IpSetService.h"

#include "switching/sim/SimulatedManagementService.h"
#include "system/sim/SimulatedNetwork.h"

namespace quorvin {

std::unique_ptr<ManagementService> CreateManagementService() {
  if (const auto folder = SimulationFolder())
    return std::make_unique<SimulatedManagementService>(*folder);
  return CreatePlatformManagementService();
}

} // namespace quorvin

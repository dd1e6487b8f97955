#include "system/SystemServices.h"

#include "system/sim/InMemoryGatewayProbe.h"
#include "system/sim/SimulatedGatewayProbe.h"
#include "system/sim/SimulatedHost.h"
#include "system/sim/SimulatedNetwork.h"
#include "system/sim/SimulatedNetworkIdentity.h"
#include "system/sim/SimulatedNetworkInfo.h"
#include "system/sim/SimulatedRegistry.h"
#include "system/sim/SimulatedTaskScheduler.h"

namespace quorvin {

SystemServices::SystemServices(std::unique_ptr<Registry> registry,
                               std::unique_ptr<NetworkInfo> network,
                               std::unique_ptr<HostSettings> host, std::unique_ptr<TaskScheduler> tasks,
                               std::unique_ptr<GatewayProbe> probe, std::unique_ptr<NetworkIdentity> identity)
    : FRegistry(std::move(registry)), FNetwork(std::move(network)), FHost(std::move(host)),
      FTasks(std::move(tasks)),
      FProbe(probe ? std::move(probe) : std::make_unique<InMemoryGatewayProbe>()),
      FIdentity(identity ? std::move(identity) : std::make_unique<NoNetworkIdentity>()) {}

SystemServices::~SystemServices() = default;

std::unique_ptr<SystemServices> CreateSimulatedServices(const std::string& folder,
                                                        std::unique_ptr<SystemServices> base) {
  auto registry = std::make_unique<SimulatedRegistry>(folder, *base->FRegistry);
  auto host = std::make_unique<SimulatedHost>(folder, *base->FHost);
  auto services = std::make_unique<SystemServices>(std::move(registry),
                                                   std::make_unique<SimulatedNetworkInfo>(folder),
                                                   std::move(host),
                                                   std::make_unique<SimulatedTaskScheduler>(folder),
                                                   std::make_unique<SimulatedGatewayProbe>(folder),
                                                   std::make_unique<SimulatedNetworkIdentity>(folder));
  services->FBaseRegistry = std::move(base->FRegistry);
  services->FBaseHost = std::move(base->FHost);
  return services;
}

std::unique_ptr<SystemServices> CreateSystemServices(const std::optional<std::string>& simulationFolder) {
  auto platform = CreatePlatformServices();
  if (simulationFolder)
    return CreateSimulatedServices(*simulationFolder, std::move(platform));
  return platform;
}

std::unique_ptr<SystemServices> CreateSystemServices() { return CreateSystemServices(SimulationFolder()); }

} // namespace quorvin

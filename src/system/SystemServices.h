#pragma once
// The system ports of one run, chosen once at start: the machine's own
// (Win32), or the simulated network, host, task scheduler and gateway probe
// of network.ini when simulate.ini beside the executable names a folder.

#include "system/GatewayProbe.h"
#include "system/HostSettings.h"
#include "system/NetworkIdentity.h"
#include "system/NetworkInfo.h"
#include "system/Registry.h"
#include "system/TaskScheduler.h"

#include <memory>
#include <optional>
#include <string>

namespace quorvin {

class SystemServices {
public:
  SystemServices(std::unique_ptr<Registry> registry, std::unique_ptr<NetworkInfo> network,
                 std::unique_ptr<HostSettings> host, std::unique_ptr<TaskScheduler> tasks,
                 std::unique_ptr<GatewayProbe> probe = nullptr,       // none: no gateway answers
                 std::unique_ptr<NetworkIdentity> identity = nullptr); // none: no network is known
  ~SystemServices();

  Registry& GetRegistry() const { return *FRegistry; }
  NetworkInfo& Network() const { return *FNetwork; }
  HostSettings& Host() const { return *FHost; }
  TaskScheduler& Tasks() const { return *FTasks; }
  GatewayProbe& Probe() const { return *FProbe; }
  NetworkIdentity& Identity() const { return *FIdentity; }

private:
  // The machine's ports that the simulated ones pass through to.
  std::unique_ptr<Registry> FBaseRegistry;
  std::unique_ptr<HostSettings> FBaseHost;
  std::unique_ptr<Registry> FRegistry;
  std::unique_ptr<NetworkInfo> FNetwork;
  std::unique_ptr<HostSettings> FHost;
  std::unique_ptr<TaskScheduler> FTasks;
  std::unique_ptr<GatewayProbe> FProbe;
  std::unique_ptr<NetworkIdentity> FIdentity;

  friend std::unique_ptr<SystemServices> CreateSimulatedServices(const std::string&,
                                                                 std::unique_ptr<SystemServices>);
};

// The platform's own ports: Win32 on Windows, in memory elsewhere.
std::unique_ptr<SystemServices> CreatePlatformServices();

// The simulation of folder over the registry keys and host calls of base
// that network.ini does not describe. Its tasks are files in the folder
// (SimulatedTaskScheduler), never the machine's.
std::unique_ptr<SystemServices> CreateSimulatedServices(const std::string& folder,
                                                        std::unique_ptr<SystemServices> base);

// The simulation of simulationFolder when there is one, else the platform's.
std::unique_ptr<SystemServices> CreateSystemServices(const std::optional<std::string>& simulationFolder);
// As simulate.ini beside the executable says (SimulationSettings).
std::unique_ptr<SystemServices> CreateSystemServices();

} // namespace quorvin

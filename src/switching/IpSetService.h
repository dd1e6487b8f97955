#pragma once
// The management service of one run: the simulated one in simulation mode
// (simulate.ini beside the executable), else the machine's own.

#include "switching/ManagementSession.h"

#include <memory>
#include <optional>
#include <string>

namespace quorvin {

// The machine's own service: WMI on Windows; elsewhere one whose Connect
// raises QuorvinError, as there is nothing to reach.
std::unique_ptr<ManagementService> CreatePlatformManagementService();

std::unique_ptr<ManagementService> CreateManagementService(const std::optional<std::string>& simulationFolder);
std::unique_ptr<ManagementService> CreateManagementService();

} // namespace quorvin

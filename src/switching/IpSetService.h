#pragma once
// The management service of one run: the simulated one when the environment
// variable QUORVIN_SIMULATE names a folder, else the machine's own.

#include "switching/ManagementSession.h"

#include <memory>

namespace quorvin {

// The machine's own service: WMI on Windows; elsewhere one whose Connect
// raises QuorvinError, as there is nothing to reach.
std::unique_ptr<ManagementService> CreatePlatformManagementService();

std::unique_ptr<ManagementService> CreateManagementService();

} // namespace quorvin

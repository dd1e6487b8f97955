#pragma once
// The management service of the simulation, over network.ini in a folder
// (see SimulatedNetwork). It answers only the adapter query: the IP-enabled
// adapters whose MAC text equals the query's, compared without regard to
// case as the real service compares. Each method call loads the file,
// changes the adapter (SimulatedAdapterMethods) and, when it succeeded,
// saves the file, so the current-configuration reader sees the change.

#include "switching/ManagementSession.h"

#include <cstdint>
#include <string>

namespace quorvin {

class SimulatedManagementService : public ManagementService {
public:
  explicit SimulatedManagementService(std::string folder) : FFolder(std::move(folder)) {}

  std::unique_ptr<ManagementSession> Connect() override;

private:
  std::string FFolder;
};

// The code the real service gives a query it cannot parse.
inline constexpr std::uint32_t kInvalidQueryCode = 0x80041017;

} // namespace quorvin

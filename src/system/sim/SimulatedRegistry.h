#pragma once
// The registry of the simulation: the TCP/IP and NetBT interface keys of the
// simulated adapters are derived from network.ini each time one is opened
// (so they show what was last saved there); every other key is the base
// registry's. The derived keys are read-only.

#include "system/Registry.h"

#include <string>

namespace quorvin {

class SimulatedRegistry final : public Registry {
public:
  SimulatedRegistry(std::string folder, Registry& base);

  std::unique_ptr<RegistryKey> Open(RegistryRoot root, std::string_view path,
                                    RegistryAccess access, bool create) override;

private:
  std::string FFolder;
  Registry& FBase;
};

} // namespace quorvin

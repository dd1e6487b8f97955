#include "switching/IpSetService.h"

#include "switching/win32/WmiManagementService.h"

namespace quorvin {

std::unique_ptr<ManagementService> CreatePlatformManagementService() {
  return std::make_unique<WmiManagementService>();
}

} // namespace quorvin

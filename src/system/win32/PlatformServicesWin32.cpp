#include "system/SystemServices.h"

#include "system/win32/Win32GatewayProbe.h"
#include "system/win32/Win32HostSettings.h"
#include "system/win32/Win32NetworkIdentity.h"
#include "system/win32/Win32NetworkInfo.h"
#include "system/win32/Win32Registry.h"
#include "system/win32/Win32TaskScheduler.h"

namespace quorvin {

std::unique_ptr<SystemServices> CreatePlatformServices() {
  return std::make_unique<SystemServices>(std::make_unique<Win32Registry>(),
                                          std::make_unique<Win32NetworkInfo>(),
                                          std::make_unique<Win32HostSettings>(),
                                          std::make_unique<Win32TaskScheduler>(),
                                          std::make_unique<Win32GatewayProbe>(),
                                          std::make_unique<Win32NetworkIdentity>());
}

} // namespace quorvin

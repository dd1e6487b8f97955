#include "switching/win32/MachineSwitchParts.h"

#include "base/QuorvinError.h"
#include "base/win32/Win32Dispatcher.h"
#include "switching/IpSetService.h"
#include "switching/SystemSwitchHost.h"
#include "switching/win32/Win32ProcessLauncher.h"

#include <windows.h>
#include <objbase.h>

namespace quorvin {

namespace {

// Balances one successful CoInitializeEx; RPC_E_CHANGED_MODE means COM is
// already up in another model on this thread and is not ours to release.
std::shared_ptr<void> EnterApartment() {
  const HRESULT result = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  if (FAILED(result) && result != RPC_E_CHANGED_MODE)
    throw QuorvinError("Cannot initialise COM", static_cast<std::uint32_t>(result));
  if (FAILED(result))
    return nullptr;
  return std::shared_ptr<void>(nullptr, [](void*) { ::CoUninitialize(); });
}

} // namespace

SwitchEngineParts MachineSwitchParts() {
  SwitchEngineParts parts;
  parts.Apartment = EnterApartment;
  parts.Dispatcher = [] { return std::make_unique<Win32Dispatcher>(); };
  parts.System = [] { return CreateSystemServices(); };
  parts.Adapters = [] { return CreateManagementService(); };
  parts.Host = [](SystemServices& system) -> std::unique_ptr<SwitchHost> {
    return std::make_unique<SystemSwitchHost>(system, std::make_unique<Win32ProcessLauncher>());
  };
  return parts;
}

} // namespace quorvin

#pragma once
// The management service of the local computer, reached through COM: the
// moniker of the root\cimv2 namespace bound to its services object, queries
// and method calls made late-bound through IDispatch. COM must have been
// initialised on the calling thread.

#include "switching/ManagementSession.h"

#include <windows.h>
#include <oaidl.h>
#include <wrl/client.h>

namespace quorvin {

class WmiManagementService : public ManagementService {
public:
  std::unique_ptr<ManagementSession> Connect() override;
};

// Binds the moniker of the root\cimv2 namespace to its services object.
// Throws QuorvinError with the failing result.
Microsoft::WRL::ComPtr<IDispatch> BindWmiServices();

// A session over a services object that is already at hand; Connect binds
// one, tests hand in a stand-in.
std::unique_ptr<ManagementSession> MakeWmiSession(Microsoft::WRL::ComPtr<IDispatch> services);

} // namespace quorvin

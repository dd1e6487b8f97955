#pragma once
// The IP helper's (iphlpapi.dll) functions that Quorvin calls, loaded from
// the system folder at the first call (see System32Library.h).

// winsock2.h must come before windows.h.
#include <winsock2.h>

#include <windows.h>

#include <iphlpapi.h>

namespace quorvin::system32 {

DWORD GetAdaptersInfo(PIP_ADAPTER_INFO adapterInfo, PULONG size);
ULONG GetAdaptersAddresses(ULONG family, ULONG flags, PVOID reserved, PIP_ADAPTER_ADDRESSES addresses,
                           PULONG size);

} // namespace quorvin::system32

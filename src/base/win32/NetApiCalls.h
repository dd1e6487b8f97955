#pragma once
// The network management functions (netapi32.dll) that Quorvin calls,
// loaded from the system folder at the first call (see System32Library.h).

#include <windows.h>

#include <lm.h>

namespace quorvin::system32 {

NET_API_STATUS NetWkstaGetInfo(LMSTR server, DWORD level, LPBYTE* buffer);
NET_API_STATUS NetApiBufferFree(LPVOID buffer);
NET_API_STATUS NetJoinDomain(LPCWSTR server, LPCWSTR domain, LPCWSTR accountOu, LPCWSTR account,
                             LPCWSTR password, DWORD options);

} // namespace quorvin::system32

#pragma once
// The IP helper's (iphlpapi.dll) functions that Quorvin calls, loaded from
// the system folder at the first call (see System32Library.h).

// winsock2.h must come before windows.h.
#include <winsock2.h>

#include <windows.h>

#include <iphlpapi.h>

#include <icmpapi.h>

namespace quorvin::system32 {

DWORD GetAdaptersInfo(PIP_ADAPTER_INFO adapterInfo, PULONG size);
ULONG GetAdaptersAddresses(ULONG family, ULONG flags, PVOID reserved, PIP_ADAPTER_ADDRESSES addresses,
                           PULONG size);

// INVALID_HANDLE_VALUE when the DLL or the entry point cannot be found;
// IcmpSendEcho2 then answers 0 replies. Both set the last error.
HANDLE IcmpCreateFile();
// Only the synchronous form: no event, no APC routine or context, no
// options; it returns once the reply came or timeout ran out.
DWORD IcmpSendEcho2(HANDLE icmp, IPAddr destination, LPVOID requestData, WORD requestSize,
                    LPVOID replyBuffer, DWORD replySize, DWORD timeout);
BOOL IcmpCloseHandle(HANDLE icmp);

} // namespace quorvin::system32

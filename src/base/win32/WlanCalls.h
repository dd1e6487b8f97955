#pragma once
// The WLAN service's (wlanapi.dll) functions that Quorvin calls, loaded from
// the system folder at the first call (see System32Library.h). A Windows
// without the WLAN service (a server without the wireless feature) has no
// wlanapi.dll: the calls then fail with ERROR_MOD_NOT_FOUND.

#include <windows.h>

#include <wlanapi.h>

namespace quorvin::system32 {

DWORD WlanOpenHandle(DWORD clientVersion, PVOID reserved, PDWORD negotiatedVersion, PHANDLE client);
DWORD WlanCloseHandle(HANDLE client, PVOID reserved);
DWORD WlanQueryInterface(HANDLE client, const GUID* interfaceGuid, WLAN_INTF_OPCODE opCode, PVOID reserved,
                         PDWORD dataSize, PVOID* data, PWLAN_OPCODE_VALUE_TYPE opcodeValueType);
// Nothing when the DLL is not there (nothing can have been allocated then).
void WlanFreeMemory(PVOID memory);

} // namespace quorvin::system32

#pragma once
// The IP helper's (iphlpapi.dll) functions that Quorvin calls, loaded from
// the system folder at the first call (see System32Library.h).

// winsock2.h must come before windows.h.
#include <winsock2.h>

#include <windows.h>

// netioapi.h (through iphlpapi.h) declares the neighbour table's and the
// notifications' records only when ws2ipdef.h came first.
#include <ws2ipdef.h>

#include <iphlpapi.h>

#include <icmpapi.h>

namespace quorvin::system32 {

DWORD GetAdaptersInfo(PIP_ADAPTER_INFO adapterInfo, PULONG size);
ULONG GetAdaptersAddresses(ULONG family, ULONG flags, PVOID reserved, PIP_ADAPTER_ADDRESSES addresses,
                           PULONG size);

// The neighbour table: the entry of row's address on row's interface; the
// resolve sends the address request when the table has none.
DWORD GetIpNetEntry2(PMIB_IPNET_ROW2 row);
DWORD ResolveIpNetEntry2(PMIB_IPNET_ROW2 row, const SOCKADDR_INET* sourceAddress);

// Change notifications. The callbacks run on a thread of the system;
// CancelMibChangeNotify2 returns once none runs any more.
DWORD NotifyIpInterfaceChange(ADDRESS_FAMILY family, PIPINTERFACE_CHANGE_CALLBACK callback, PVOID context,
                              BOOLEAN initialNotification, HANDLE* notification);
DWORD NotifyUnicastIpAddressChange(ADDRESS_FAMILY family, PUNICAST_IPADDRESS_CHANGE_CALLBACK callback,
                                   PVOID context, BOOLEAN initialNotification, HANDLE* notification);
DWORD CancelMibChangeNotify2(HANDLE notification);
// The form of the systems before Vista: one change completes overlapped.
DWORD NotifyAddrChange(PHANDLE handle, LPOVERLAPPED overlapped);
BOOL CancelIPChangeNotify(LPOVERLAPPED overlapped);

// INVALID_HANDLE_VALUE when the DLL or the entry point cannot be found;
// IcmpSendEcho2 then answers 0 replies. Both set the last error.
HANDLE IcmpCreateFile();
// Only the synchronous form: no event, no APC routine or context, no
// options; it returns once the reply came or timeout ran out.
DWORD IcmpSendEcho2(HANDLE icmp, IPAddr destination, LPVOID requestData, WORD requestSize,
                    LPVOID replyBuffer, DWORD replySize, DWORD timeout);
BOOL IcmpCloseHandle(HANDLE icmp);

} // namespace quorvin::system32

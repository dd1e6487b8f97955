#include "base/win32/IpHelperCalls.h"

#include "base/win32/System32Library.h"

namespace quorvin::system32 {

namespace {

System32Library& IpHelper() {
  static System32Library library("iphlpapi.dll");
  return library;
}

} // namespace

DWORD GetAdaptersInfo(PIP_ADAPTER_INFO adapterInfo, PULONG size) {
  return CallReturningStatus<decltype(&::GetAdaptersInfo)>(IpHelper(), "GetAdaptersInfo", adapterInfo, size);
}

ULONG GetAdaptersAddresses(ULONG family, ULONG flags, PVOID reserved, PIP_ADAPTER_ADDRESSES addresses,
                           PULONG size) {
  return CallReturningStatus<decltype(&::GetAdaptersAddresses)>(IpHelper(), "GetAdaptersAddresses", family,
                                                                flags, reserved, addresses, size);
}

DWORD GetIpNetEntry2(PMIB_IPNET_ROW2 row) {
  return CallReturningStatus<decltype(&::GetIpNetEntry2)>(IpHelper(), "GetIpNetEntry2", row);
}

DWORD ResolveIpNetEntry2(PMIB_IPNET_ROW2 row, const SOCKADDR_INET* sourceAddress) {
  return CallReturningStatus<decltype(&::ResolveIpNetEntry2)>(IpHelper(), "ResolveIpNetEntry2", row,
                                                              sourceAddress);
}

DWORD NotifyIpInterfaceChange(ADDRESS_FAMILY family, PIPINTERFACE_CHANGE_CALLBACK callback, PVOID context,
                              BOOLEAN initialNotification, HANDLE* notification) {
  return CallReturningStatus<decltype(&::NotifyIpInterfaceChange)>(
      IpHelper(), "NotifyIpInterfaceChange", family, callback, context, initialNotification, notification);
}

DWORD NotifyUnicastIpAddressChange(ADDRESS_FAMILY family, PUNICAST_IPADDRESS_CHANGE_CALLBACK callback,
                                   PVOID context, BOOLEAN initialNotification, HANDLE* notification) {
  return CallReturningStatus<decltype(&::NotifyUnicastIpAddressChange)>(
      IpHelper(), "NotifyUnicastIpAddressChange", family, callback, context, initialNotification, notification);
}

DWORD CancelMibChangeNotify2(HANDLE notification) {
  return CallReturningStatus<decltype(&::CancelMibChangeNotify2)>(IpHelper(), "CancelMibChangeNotify2",
                                                                  notification);
}

DWORD NotifyAddrChange(PHANDLE handle, LPOVERLAPPED overlapped) {
  return CallReturningStatus<decltype(&::NotifyAddrChange)>(IpHelper(), "NotifyAddrChange", handle, overlapped);
}

BOOL CancelIPChangeNotify(LPOVERLAPPED overlapped) {
  return CallReturningBool<decltype(&::CancelIPChangeNotify)>(IpHelper(), "CancelIPChangeNotify", overlapped);
}

HANDLE IcmpCreateFile() {
  std::uint32_t error = 0;
  if (const auto call = IpHelper().Find<decltype(&::IcmpCreateFile)>("IcmpCreateFile", error))
    return call();
  ::SetLastError(error);
  return INVALID_HANDLE_VALUE;
}

DWORD IcmpSendEcho2(HANDLE icmp, IPAddr destination, LPVOID requestData, WORD requestSize,
                    LPVOID replyBuffer, DWORD replySize, DWORD timeout) {
  std::uint32_t error = 0;
  // The APC routine's type differs between the SDKs' headers (PIO_APC_ROUTINE
  // or FARPROC); a null pointer suits either.
  if (const auto call = IpHelper().Find<decltype(&::IcmpSendEcho2)>("IcmpSendEcho2", error))
    return call(icmp, nullptr, nullptr, nullptr, destination, requestData, requestSize, nullptr, replyBuffer,
                replySize, timeout);
  ::SetLastError(error);
  return 0;
}

BOOL IcmpCloseHandle(HANDLE icmp) {
  return CallReturningBool<decltype(&::IcmpCloseHandle)>(IpHelper(), "IcmpCloseHandle", icmp);
}

} // namespace quorvin::system32

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

} // namespace quorvin::system32

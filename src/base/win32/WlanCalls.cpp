#include "base/win32/WlanCalls.h"

#include "base/win32/System32Library.h"

namespace quorvin::system32 {

namespace {

System32Library& Wlan() {
  static System32Library library("wlanapi.dll");
  return library;
}

} // namespace

DWORD WlanOpenHandle(DWORD clientVersion, PVOID reserved, PDWORD negotiatedVersion, PHANDLE client) {
  return CallReturningStatus<decltype(&::WlanOpenHandle)>(Wlan(), "WlanOpenHandle", clientVersion, reserved,
                                                          negotiatedVersion, client);
}

DWORD WlanCloseHandle(HANDLE client, PVOID reserved) {
  return CallReturningStatus<decltype(&::WlanCloseHandle)>(Wlan(), "WlanCloseHandle", client, reserved);
}

DWORD WlanQueryInterface(HANDLE client, const GUID* interfaceGuid, WLAN_INTF_OPCODE opCode, PVOID reserved,
                         PDWORD dataSize, PVOID* data, PWLAN_OPCODE_VALUE_TYPE opcodeValueType) {
  return CallReturningStatus<decltype(&::WlanQueryInterface)>(Wlan(), "WlanQueryInterface", client, interfaceGuid,
                                                              opCode, reserved, dataSize, data, opcodeValueType);
}

void WlanFreeMemory(PVOID memory) {
  std::uint32_t error = 0;
  if (const auto call = Wlan().Find<decltype(&::WlanFreeMemory)>("WlanFreeMemory", error))
    call(memory);
}

} // namespace quorvin::system32

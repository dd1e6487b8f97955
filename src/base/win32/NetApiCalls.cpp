#include "base/win32/NetApiCalls.h"

#include "base/win32/System32Library.h"

namespace quorvin::system32 {

namespace {

System32Library& NetApi() {
  static System32Library library("netapi32.dll");
  return library;
}

} // namespace

NET_API_STATUS NetWkstaGetInfo(LMSTR server, DWORD level, LPBYTE* buffer) {
  return CallReturningStatus<decltype(&::NetWkstaGetInfo)>(NetApi(), "NetWkstaGetInfo", server, level, buffer);
}

NET_API_STATUS NetApiBufferFree(LPVOID buffer) {
  return CallReturningStatus<decltype(&::NetApiBufferFree)>(NetApi(), "NetApiBufferFree", buffer);
}

NET_API_STATUS NetJoinDomain(LPCWSTR server, LPCWSTR domain, LPCWSTR accountOu, LPCWSTR account,
                             LPCWSTR password, DWORD options) {
  return CallReturningStatus<decltype(&::NetJoinDomain)>(NetApi(), "NetJoinDomain", server, domain, accountOu,
                                                         account, password, options);
}

} // namespace quorvin::system32

#include "base/win32/WinInetCalls.h"

#include "base/win32/System32Library.h"

namespace quorvin::system32 {

namespace {

System32Library& WinInet() {
  static System32Library library("wininet.dll");
  return library;
}

} // namespace

BOOL InternetQueryOptionA(HINTERNET internet, DWORD option, LPVOID buffer, LPDWORD length) {
  return CallReturningBool<decltype(&::InternetQueryOptionA)>(WinInet(), "InternetQueryOptionA", internet, option,
                                                              buffer, length);
}

BOOL InternetSetOptionA(HINTERNET internet, DWORD option, LPVOID buffer, DWORD length) {
  return CallReturningBool<decltype(&::InternetSetOptionA)>(WinInet(), "InternetSetOptionA", internet, option,
                                                            buffer, length);
}

} // namespace quorvin::system32

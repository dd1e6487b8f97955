#include "base/win32/SpoolerCalls.h"

#include "base/win32/System32Library.h"

namespace quorvin::system32 {

namespace {

System32Library& Spooler() {
  static System32Library library("winspool.drv");
  return library;
}

} // namespace

BOOL EnumPrintersA(DWORD flags, LPSTR name, DWORD level, LPBYTE printers, DWORD size, LPDWORD needed,
                   LPDWORD returned) {
  return CallReturningBool<decltype(&::EnumPrintersA)>(Spooler(), "EnumPrintersA", flags, name, level, printers,
                                                       size, needed, returned);
}

} // namespace quorvin::system32

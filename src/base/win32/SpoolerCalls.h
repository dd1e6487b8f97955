#pragma once
// The spooler's (winspool.drv) functions that Quorvin calls, loaded from the
// system folder at the first call (see System32Library.h).

#include <windows.h>

#include <winspool.h>

namespace quorvin::system32 {

BOOL EnumPrintersA(DWORD flags, LPSTR name, DWORD level, LPBYTE printers, DWORD size, LPDWORD needed,
                   LPDWORD returned);

} // namespace quorvin::system32

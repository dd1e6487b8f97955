#pragma once
// The WinINet (wininet.dll) functions that Quorvin and Pevrix call, loaded
// from the system folder at the first call (see System32Library.h).

#include <windows.h>

#include <wininet.h>

namespace quorvin::system32 {

BOOL InternetQueryOptionA(HINTERNET internet, DWORD option, LPVOID buffer, LPDWORD length);
BOOL InternetSetOptionA(HINTERNET internet, DWORD option, LPVOID buffer, DWORD length);

} // namespace quorvin::system32

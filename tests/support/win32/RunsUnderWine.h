#pragma once
// Whether these tests run under Wine, for the few places where Wine is known
// to answer otherwise than Windows.

#include <windows.h>

namespace quorvin::test {

inline bool RunsUnderWine() {
  const HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
  return ntdll && ::GetProcAddress(ntdll, "wine_get_version");
}

} // namespace quorvin::test

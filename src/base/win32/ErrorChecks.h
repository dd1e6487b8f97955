#pragma once
// Checks at the call that turn a failed Win32 call or HRESULT into a
// QuorvinError carrying the system's code. The code is read before anything
// else runs: building the text may allocate and so change GetLastError().

#include "base/QuorvinError.h"

#include <windows.h>

#include <cstdint>

namespace quorvin {

inline void ThrowIfFailed(HRESULT hr, const char* what) {
  if (FAILED(hr))
    throw QuorvinError(what, static_cast<std::uint32_t>(hr));
}

inline void ThrowLastErrorIf(bool condition, const char* what) {
  if (!condition)
    return;
  const DWORD error = ::GetLastError();
  throw QuorvinError(what, error);
}

} // namespace quorvin

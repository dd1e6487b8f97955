#pragma once
// The Windows version code: which family and version the program runs on.

#include "system/HostSettings.h"

namespace quorvin {

// The code for NT 6 and later (and anything not otherwise listed).
inline constexpr int kOsVersionNt6OrLater = 11;

// 1 (9x 4.0), 3 (9x 4.10), 5 (NT 3), 6 (NT 4), 7 (NT 5.0), 8 (9x 4.90),
// 9 (NT 5.1), 10 (NT 5.2), 11 everything else; 2 and 4 are never given.
int OsVersionCode(const OsVersion& version);
int GetOsVersionCode(HostSettings& host);

} // namespace quorvin

#pragma once
// A pause that keeps the calling thread's windows responsive.

#include "system/HostSettings.h"

#include <cstdint>

namespace quorvin {

// Returns after at least milliseconds by the tick count (also across its
// wrap at 2^32), having handled the pending window messages at least once,
// also for 0. A WM_QUIT that comes meanwhile is posted again once, at the
// end, so that the thread's own message loop still ends on it.
void PumpWait(HostSettings& host, std::uint32_t milliseconds);

} // namespace quorvin

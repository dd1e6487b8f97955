#include "system/PumpWait.h"

namespace quorvin {

void PumpWait(HostSettings& host, std::uint32_t milliseconds) {
  const std::uint32_t start = host.TickCount();
  for (;;) {
    host.ProcessMessages();
    // Unsigned subtraction gives the elapsed time across the wrap.
    const std::uint32_t elapsed = host.TickCount() - start;
    if (elapsed >= milliseconds)
      return;
    // Sleeps until a message or the end instead of spinning on the tick count.
    host.WaitForMessages(milliseconds - elapsed);
  }
}

} // namespace quorvin

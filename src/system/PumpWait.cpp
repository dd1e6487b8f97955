#include "system/PumpWait.h"

namespace quorvin {

void PumpWait(HostSettings& host, std::uint32_t milliseconds) {
  const std::uint32_t start = host.TickCount();
  std::optional<int> quit;
  for (;;) {
    if (const auto taken = host.ProcessMessages())
      quit = taken;
    // Unsigned subtraction gives the elapsed time across the wrap.
    const std::uint32_t elapsed = host.TickCount() - start;
    if (elapsed >= milliseconds)
      break;
    // Sleeps until a message or the end instead of spinning on the tick count.
    host.WaitForMessages(milliseconds - elapsed);
  }
  // The thread's own message loop ends on the quit, after the pause.
  if (quit)
    host.PostQuit(*quit);
}

} // namespace quorvin

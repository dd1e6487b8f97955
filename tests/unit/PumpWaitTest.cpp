#include "system/PumpWait.h"
#include "system/sim/InMemoryHost.h"

#include <gtest/gtest.h>

namespace quorvin::test {
namespace {

TEST(PumpWait, WaitsAtLeastTheTimeAcrossTheWrap) {
  InMemoryHost host;
  host.Tick = 0xFFFFFFFFu - 50; // wraps 51 ms into the wait
  host.TickStep = 3;
  host.WaitSlice = 7; // messages keep waking the wait early
  const std::uint32_t start = host.Tick;
  PumpWait(host, 200);
  const std::uint32_t waited = host.Tick - start;
  EXPECT_GE(waited, 200u);
  EXPECT_LT(waited, 220u);
  EXPECT_GT(host.MessagesHandled, 1u);
}

TEST(PumpWait, EndsRightAfterTheTimeWhenNothingWakesIt) {
  InMemoryHost host;
  host.Tick = 0xFFFFFF00u;
  PumpWait(host, 200);
  EXPECT_EQ(host.Calls, std::vector<std::string>{"WaitForMessages 200"});
  EXPECT_EQ(host.Tick, 0xFFFFFF00u + 200u);
  EXPECT_EQ(host.MessagesHandled, 2u);
}

TEST(PumpWait, ZeroHandlesMessagesOnce) {
  InMemoryHost host;
  PumpWait(host, 0);
  EXPECT_EQ(host.MessagesHandled, 1u);
  EXPECT_TRUE(host.Calls.empty());
}

TEST(PumpWait, ElapsedTimeIsNotWaitedAgain) {
  InMemoryHost host;
  host.TickStep = 150; // the first reading after handling messages is 150 ms on
  PumpWait(host, 200);
  EXPECT_EQ(host.Calls, std::vector<std::string>{"WaitForMessages 50"});
}

// A quit taken from the queue must neither end the pause early nor be
// posted back while the pause goes on (that would wake it again at once).
TEST(PumpWait, AQuitIsPostedAgainOnceAfterTheWholeWait) {
  InMemoryHost host;
  host.QuitAtFirstMessages = 3;
  host.WaitSlice = 60;
  PumpWait(host, 200);
  EXPECT_EQ(host.Calls, (std::vector<std::string>{"WaitForMessages 200", "WaitForMessages 140",
                                                  "WaitForMessages 80", "WaitForMessages 20", "PostQuit 3"}));
}

} // namespace
} // namespace quorvin::test

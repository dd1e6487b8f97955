// Many switches with stop requests and dialog closes at random moments; run
// under ThreadSanitizer and AddressSanitizer by scripts/test.sh. A closed
// dialog is destroyed at once, so anything that still reached it would be a
// use after free.

#include "switching/SwitchThreads.h"
#include "support/SwitchFakes.h"

#include <gtest/gtest.h>

#include <random>

namespace quorvin {
namespace {

constexpr const char* kMac = "0A:0B:0C:0D:0E:0F";

TEST(SwitchStress, RandomStopsAndClosesNeverReachAClosedDialog) {
  std::mt19937 random(20261208);
  QueueDispatcher dispatcher;
  test::HookedService service;
  service.Inner.AddAdapter({kMac, true, {{"SetDNSDomain", 73}}, {}});
  test::FakeHost host;
  host.PrinterResult = false;
  SwitchThreads threads(dispatcher, service, host);

  int done = 0, stopped = 0, closed = 0;
  for (int run = 0; run < 1000; ++run) {
    TSwitchInput input;
    input.ItemNames = test::DefaultItemNames();
    input.AdapterMac = kMac;
    const unsigned ticks = random() & 0xFF;
    TSetRecord& set = input.Set;
    set.EnableIP = ticks & 1;
    set.DnsServer = ticks & 2;
    set.ProxyServer = ticks & 4;
    set.ComputerName = ticks & 8;
    set.Workgroup = ticks & 16;
    set.DefaultPrinter = ticks & 32;
    set.DnsDomain = ticks & 64;
    set.WinsServer = ticks & 128;
    set.Gateway = (run % 3) ? "10.0.0.1" : "";

    auto view = std::make_unique<test::FakeView>();
    auto session = threads.Start(input, view.get());
    // The UI thread acts after a random number of pumps: Cancel (stop, then
    // close) or the close box (close only), or waits for the end.
    const int actAt = static_cast<int>(random() % 12);
    const int action = static_cast<int>(random() % 3);
    int pumps = 0;
    dispatcher.PumpUntil([&] {
      if (view && pumps++ == actAt && action != 0) {
        if (action == 1)
          session->RequestStop();
        session->Detach();
        view.reset();
      }
      return session->Finished();
    });
    if (view) {
      ASSERT_FALSE(view->CalledOffUiThread);
      ASSERT_LE(view->DoneCount, 1);
      if (view->DoneCount == 1) {
        ++done;
        ASSERT_EQ(view->Failed, !view->Memo.empty());
        if (view->Failed) {
          ASSERT_EQ(view->Memo.front(), "The following settings are failed:");
        }
      }
    } else {
      (action == 1 ? stopped : closed)++;
    }
  }
  threads.WaitForEarlierRuns();
  EXPECT_GT(done, 0);
  EXPECT_GT(stopped, 0);
  EXPECT_GT(closed, 0);
}

} // namespace
} // namespace quorvin

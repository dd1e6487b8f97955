// Many switches, several at a time, with stop requests and dialog closes at
// random moments; run under ThreadSanitizer and AddressSanitizer by
// scripts/test.sh. A closed dialog is destroyed at once, so anything that
// still reached it would be a use after free.

#include "switching/SwitchThreads.h"
#include "support/SampleSets.h"
#include "support/SwitchFakes.h"

#include <gtest/gtest.h>

#include <random>

namespace quorvin {
namespace {

constexpr const char* kMac = "0A:0B:0C:0D:0E:0F";

struct Dialog {
  std::unique_ptr<test::FakeView> View = std::make_unique<test::FakeView>();
  std::shared_ptr<SwitchSession> Session;
  int ActAt = 0;
  int Action = 0; // 0: wait for the end, 1: Cancel (stop, then close), 2: the close box
};

TSwitchInput RandomInput(std::mt19937& random, int run) {
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
  return input;
}

TEST(SwitchStress, OverlappingRunsWithRandomStopsAndClosesNeverReachAClosedDialog) {
  std::mt19937 random(20261208);
  QueueDispatcher dispatcher;
  test::HookedService service;
  service.Inner.AddAdapter({kMac, true, {{"SetDNSDomain", 73}}, {}});
  test::FakeHost host;
  host.PrinterResult = false;
  SwitchThreads threads(dispatcher, service, host);

  int done = 0, stopped = 0, closed = 0, overlapping = 0;
  for (int round = 0, run = 0; round < 400; ++round) {
    // One to four dialogs at once: the earlier ones' runs go on while the
    // later ones start, as after a close box.
    std::vector<Dialog> dialogs(1 + random() % 4);
    for (Dialog& dialog : dialogs) {
      dialog.Session = threads.Start(RandomInput(random, run++), dialog.View.get());
      dialog.ActAt = static_cast<int>(random() % 12);
      dialog.Action = static_cast<int>(random() % 3);
    }
    overlapping += dialogs.size() > 1;
    int pumps = 0;
    dispatcher.PumpUntil([&] {
      bool allFinished = true;
      for (Dialog& dialog : dialogs) {
        if (dialog.View && pumps == dialog.ActAt && dialog.Action != 0) {
          if (dialog.Action == 1)
            dialog.Session->RequestStop();
          dialog.Session->Detach();
          dialog.View.reset();
        }
        allFinished = allFinished && dialog.Session->Finished();
      }
      ++pumps;
      return allFinished;
    });
    for (Dialog& dialog : dialogs) {
      if (!dialog.View) {
        (dialog.Action == 1 ? stopped : closed)++;
        continue;
      }
      const test::FakeView& view = *dialog.View;
      ASSERT_FALSE(view.CalledOffUiThread);
      ASSERT_EQ(view.DoneCount, 1);
      ++done;
      ASSERT_EQ(view.Failed, !view.Memo.empty());
      if (view.Failed) {
        ASSERT_EQ(view.Memo.front(), "The following settings are failed:");
      }
    }
  }
  threads.WaitForEarlierRuns();
  EXPECT_GT(done, 0);
  EXPECT_GT(stopped, 0);
  EXPECT_GT(closed, 0);
  EXPECT_GT(overlapping, 0);
}

} // namespace
} // namespace quorvin

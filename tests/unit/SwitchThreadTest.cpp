#include "switching/SwitchThread.h"

#include "base/QuorvinError.h"
#include "switching/IpSet.h"
#include "switching/SwitchThreads.h"
#include "support/SampleSets.h"
#include "support/SwitchFakes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <map>
#include <future>
#include <system_error>

namespace quorvin {
namespace {

using test::FakeHost;
using test::FakeView;
using test::HookedService;
using Lines = std::vector<std::string>;

constexpr const char* kMac = "00:11:22:33:44:55";

// The sample set for the one adapter, nothing ticked.
TSwitchInput Input() { return test::SampleInput(kMac); }

class SwitchThreadTest : public ::testing::Test {
protected:
  SwitchThreadTest() { FService.Inner.AddAdapter({kMac, true, {}, {}}); }

  void Run(const TSwitchInput& input) {
    test::RunSwitch(input, FSession, FDispatcher, FService, FHost);
    EXPECT_FALSE(FView.CalledOffUiThread) << "the dialog was touched off the UI thread";
    EXPECT_FALSE(FService.ConnectedOffUiThread) << "the management service was used off the UI thread";
  }
  Lines Methods() const { return FService.Inner.CalledMethods(); }

  QueueDispatcher FDispatcher;
  HookedService FService;
  FakeHost FHost;
  FakeView FView;
  std::shared_ptr<SwitchSession> FSession = std::make_shared<SwitchSession>(&FView);
};

TEST_F(SwitchThreadTest, AppliesTickedItemsInTheFixedOrder) {
  TSwitchInput input = Input();
  test::TickAllItems(input.Set);
  Run(input);
  EXPECT_EQ(FView.Statuses, (Lines{"Apply the new settings for...", "Apply the new settings for [ IP ] ...",
                                   "Apply the new settings for [ DNS Server ] ...",
                                   "Apply the new settings for [ Proxy Server ] ...",
                                   "Apply the new settings for [ Computer Name ] ...",
                                   "Apply the new settings for [ Workgroup ] ...",
                                   "Apply the new settings for [ Default Printer ] ...",
                                   "Apply the new settings for [ DNS Domain ] ...",
                                   "Apply the new settings for [ WINS Server ] ..."}));
  EXPECT_EQ(Methods(), (Lines{"EnableStatic", "SetGateways", "SetDNSServerSearchOrder", "SetDNSDomain",
                              "SetWinsServer"}));
  EXPECT_EQ(FHost.Log(), (Lines{"switch PumpWait 200", "RunProxyHelper 1 10.0.0.1 8080", "SetHostName LAB-PC",
                                "JoinWorkgroup LAB", "MakeDefaultPrinter Laser"}));
  EXPECT_EQ(FView.DoneCount, 1);
  EXPECT_FALSE(FView.Failed);
  EXPECT_TRUE(FView.Memo.empty());
}

TEST_F(SwitchThreadTest, SkipsUntickedItemsAndNamesItemsByTheirCaptions) {
  TSwitchInput input = Input();
  input.Set.Workgroup = input.Set.DnsDomain = true;
  input.ItemNames[4] = "Arbeitsgruppe";
  FHost.WorkgroupStatus = 5;
  Run(input);
  EXPECT_EQ(FView.Statuses, (Lines{"Apply the new settings for...",
                                   "Apply the new settings for [ Arbeitsgruppe ] ...",
                                   "Apply the new settings for [ DNS Domain ] ..."}));
  EXPECT_EQ(FHost.Log(), (Lines{"JoinWorkgroup LAB"}));
  EXPECT_EQ(Methods(), (Lines{"SetDNSDomain"}));
  EXPECT_EQ(FView.Memo, (Lines{"The following settings are failed:", "", "[ Arbeitsgruppe ]: Error code 5", ""}));
  EXPECT_TRUE(FView.Failed);
}

TEST_F(SwitchThreadTest, AutomaticIpSwitchesToDhcpThenPausesOnTheSwitchThread) {
  TSwitchInput input = Input();
  input.Set.EnableIP = true;
  input.Set.AutoIP = true;
  input.Set.UseIP = false;
  Run(input);
  EXPECT_EQ(Methods(), (Lines{"EnableDHCP"}));
  EXPECT_EQ(FHost.Log(), (Lines{"switch PumpWait 200"}));
  EXPECT_EQ(FView.DoneCount, 1);
  EXPECT_FALSE(FView.Failed);
}

TEST_F(SwitchThreadTest, FixedIpWithoutGatewayDropsTheOldGatewaysFirst) {
  TSwitchInput input = Input();
  input.Set.EnableIP = true;
  input.Set.Gateway = "";
  FService.Inner.AddAdapter({"AA:BB:CC:DD:EE:FF", true, {}, {}}); // another adapter is left alone
  Run(input);
  EXPECT_EQ(Methods(), (Lines{"EnableDHCP", "EnableStatic"}));
  EXPECT_EQ(FHost.Log(), (Lines{"ui PumpWait 200", "switch PumpWait 200"}));
  for (const RecordedCall& call : FService.Inner.Calls())
    EXPECT_EQ(call.Adapter, 0u);
}

struct FailureCase {
  const char* Name;
  std::function<void(test::HookedService&, FakeHost&, TSwitchInput&)> Arrange;
  Lines Memo;
};

TEST_F(SwitchThreadTest, EachRefusalBecomesItsLineUnderTheHeading) {
  const std::string noAdapter =
      "Please check if the connection is active. For example, whether your network card is disconnected.";
  const FailureCase cases[] = {
      {"RebootNeededStillListed",
       [](auto& service, auto&, auto& input) {
         service.Inner = {};
         service.Inner.AddAdapter({kMac, true, {{"EnableStatic", 1}}, {}});
         input.Set.EnableIP = true;
       },
       {"[ IP ]: Successful completion, reboot required.", ""}},
      {"CodeWithoutText",
       [](auto& service, auto&, auto& input) {
         service.Inner = {};
         service.Inner.AddAdapter({kMac, true, {{"SetDNSDomain", 99}}, {}});
         input.Set.DnsDomain = true;
       },
       {"[ DNS Domain ]: ", ""}},
      {"IpAndPrinter",
       [](auto& service, auto& host, auto& input) {
         service.Inner = {};
         service.Inner.AddAdapter({kMac, true, {{"EnableStatic", 70}}, {}});
         host.PrinterResult = false;
         input.Set.EnableIP = input.Set.DefaultPrinter = true;
       },
       {"[ IP ]: Invalid IP address.", "", "[ Default Printer ]: Failed!", ""}},
      {"ComputerNameRefused",
       [](auto&, auto& host, auto& input) {
         host.HostNameResult = false;
         input.Set.ComputerName = true;
       },
       {"[ Computer Name ]: Failed!", ""}},
      {"AdapterNotIpEnabled",
       [](auto& service, auto&, auto& input) {
         service.Inner = {};
         service.Inner.AddAdapter({kMac, false, {}, {}});
         input.Set.EnableIP = input.Set.DnsServer = input.Set.WinsServer = true;
       },
       {"[ IP ]: " + noAdapter, "", "[ DNS Server ]: " + noAdapter, "", "[ WINS Server ]: " + noAdapter, ""}},
      {"EmptyMac",
       [](auto&, auto&, auto& input) {
         input.AdapterMac = "";
         input.Set.DnsServer = input.Set.DnsDomain = true;
       },
       {"[ DNS Server ]: " + noAdapter, "", "[ DNS Domain ]: " + noAdapter, ""}},
      {"ServiceOutOfReachFailsEachAdapterItemAndTheRestGoesOn",
       [](auto& service, auto&, auto& input) {
         service.Inner.RefuseConnections(0x80041003);
         test::TickAllItems(input.Set);
       },
       {}}, // checked below: its text comes from the service's error
      {"ProxyHelperMissing",
       [](auto&, auto& host, auto& input) {
         host.HelperRun = {ProcessEnd::NotStarted};
         input.Set.ProxyServer = true;
       },
       {"[ Proxy Server ]: Failed!", ""}},
      {"ProxyHelperEndedWithACode",
       [](auto&, auto& host, auto& input) {
         host.HelperRun = {ProcessEnd::Exited, 5};
         input.Set.ProxyServer = true;
       },
       {"[ Proxy Server ]: Error code 5", ""}},
      {"ProxyHelperStillRunning",
       [](auto&, auto& host, auto& input) {
         host.HelperRun = {ProcessEnd::TimedOut};
         input.Set.ProxyServer = true;
       },
       {"[ Proxy Server ]: Failed!", ""}},
      {"ProxyRegistryRefusedInProcess",
       [](auto&, auto& host, auto& input) {
         host.OsVersionCode = 5;
         host.OnProxyInProcess = [] { throw QuorvinError("Failed to set data for 'ProxyServer'", 5); };
         input.Set.ProxyServer = true;
       },
       {"[ Proxy Server ]: Failed to set data for 'ProxyServer'", ""}},
  };
  for (const FailureCase& c : cases) {
    SCOPED_TRACE(c.Name);
    HookedService service;
    service.Inner.AddAdapter({kMac, true, {}, {}});
    FakeHost host;
    FakeView view;
    TSwitchInput input = Input();
    c.Arrange(service, host, input);
    auto session = std::make_shared<SwitchSession>(&view);
    test::RunSwitch(input, session, FDispatcher, service, host);

    ASSERT_EQ(view.DoneCount, 1) << "the run must end with its message";
    EXPECT_TRUE(view.Failed);
    ASSERT_GE(view.Memo.size(), 4u);
    EXPECT_EQ(view.Memo[0], "The following settings are failed:");
    EXPECT_EQ(view.Memo[1], "");
    const Lines lines(view.Memo.begin() + 2, view.Memo.end());
    if (!c.Memo.empty()) {
      EXPECT_EQ(lines, c.Memo);
    } else {
      ASSERT_EQ(lines.size(), 8u); // four adapter items, each a line and a blank
      EXPECT_EQ(lines[0].rfind("[ IP ]: ", 0), 0u);
      EXPECT_GT(lines[0].size(), std::string("[ IP ]: ").size());
      EXPECT_EQ(host.Log(), (Lines{"switch PumpWait 200", "RunProxyHelper 1 10.0.0.1 8080", "SetHostName LAB-PC",
                                   "JoinWorkgroup LAB", "MakeDefaultPrinter Laser"}))
          << "the proxy and host items still ran";
    }
  }
}

TEST_F(SwitchThreadTest, ProxyGoesThroughTheHelperOrInProcessByVersion) {
  TSwitchInput input = Input();
  input.Set.ProxyServer = true;
  input.Set.UseProxyServer = false;
  input.Set.ProxyAddress = "";
  Run(input);
  FHost.OsVersionCode = 6;
  auto second = std::make_shared<SwitchSession>(&FView);
  test::RunSwitch(input, second, FDispatcher, FService, FHost);
  EXPECT_EQ(FHost.Log(), (Lines{"RunProxyHelper 0  8080", "ApplyProxyInProcess 0  8080"}));
  EXPECT_TRUE(FView.Memo.empty());
}

TEST_F(SwitchThreadTest, StopBeforeTheBodyAppliesNothing) {
  TSwitchInput input = Input();
  test::TickAllItems(input.Set);
  FSession->RequestStop();
  Run(input);
  EXPECT_TRUE(FView.Statuses.empty());
  EXPECT_TRUE(Methods().empty());
  EXPECT_TRUE(FHost.Log().empty());
  EXPECT_EQ(FView.DoneCount, 0);
}

TEST_F(SwitchThreadTest, StopDuringAnAdapterStepFinishesThatStepOnly) {
  TSwitchInput input = Input();
  test::TickAllItems(input.Set);
  // The second connection is the DNS step.
  FService.OnConnect = [this](int connection) {
    if (connection == 2)
      FSession->RequestStop();
  };
  Run(input);
  EXPECT_EQ(Methods(), (Lines{"EnableStatic", "SetGateways", "SetDNSServerSearchOrder"}));
  EXPECT_EQ(FHost.Log(), (Lines{"switch PumpWait 200"}));
  EXPECT_EQ(FView.DoneCount, 0);
  EXPECT_TRUE(FView.Memo.empty()) << "no heading after a stop";
}

TEST_F(SwitchThreadTest, StopBetweenHostItems) {
  TSwitchInput input = Input();
  test::TickAllItems(input.Set);
  FHost.OnWorkgroup = [this] { FSession->RequestStop(); };
  FHost.WorkgroupStatus = 2;
  Run(input);
  EXPECT_EQ(FHost.Log().back(), "JoinWorkgroup LAB");
  EXPECT_EQ(Methods().back(), "SetDNSServerSearchOrder");
  EXPECT_EQ(FView.Memo, (Lines{"[ Workgroup ]: Error code 2", ""})) << "the line of the item in progress stays";
  EXPECT_EQ(FView.DoneCount, 0);
}

TEST_F(SwitchThreadTest, ClosedDialogGetsNothingWhileTheRestIsApplied) {
  TSwitchInput input = Input();
  test::TickAllItems(input.Set);
  FHost.PrinterResult = false;
  FService.OnConnect = [this](int connection) {
    if (connection == 2)
      FSession->Detach(); // the close box: no stop request
  };
  Run(input);
  EXPECT_EQ(FView.Statuses.size(), 3u) << "nothing after the DNS caption";
  EXPECT_EQ(Methods().back(), "SetWinsServer");
  EXPECT_EQ(FHost.Log().size(), 5u);
  EXPECT_TRUE(FView.Memo.empty());
  EXPECT_EQ(FView.DoneCount, 0);
}

constexpr const char* kGuid = "{0C293A5B-7C00-4000-8000-000000000001}";

// The recording service accepts every call and applies none: what the
// adapter then reports is FHost.Present.
TEST_F(SwitchThreadTest, AcceptedItemsThatTheAdapterDoesNotReportAreListedAfterTheLastItem) {
  TSwitchInput input = Input();
  test::TickAllItems(input.Set);
  input.AdapterGuid = kGuid;
  FHost.Present.DhcpEnabled = true;
  FHost.Present.AutoDns = true;
  FHost.Present.PrimaryWins = "10.0.0.4";
  FHost.PrinterResult = false;
  Run(input);
  EXPECT_EQ(FHost.Log(), (Lines{"switch PumpWait 200", "RunProxyHelper 1 10.0.0.1 8080", "SetHostName LAB-PC",
                                "JoinWorkgroup LAB", "MakeDefaultPrinter Laser",
                                std::string("ui ReadAdapterConfig ") + kGuid}))
      << "read once, on the UI thread, after the last item";
  EXPECT_EQ(FView.Memo, (Lines{"The following settings are failed:", "", "[ Default Printer ]: Failed!", "",
                               "[ IP ]: Accepted, but the adapter reports an automatic address", "",
                               "[ DNS Server ]: Accepted, but the adapter reports automatic DNS servers", "",
                               "[ DNS Domain ]: Accepted, but the adapter reports nothing", ""}));
  EXPECT_EQ(FView.DoneCount, 1);
  EXPECT_TRUE(FView.Failed);
}

TEST_F(SwitchThreadTest, ReadBackChecksOnlyAcceptedItemsAndNeedsTheAdaptersGuid) {
  struct Case {
    const char* Name;
    const char* Guid;
    std::string ReadFailure;
    std::map<std::string, std::int32_t> Answers;
    bool Domain; // ticked besides IP and WINS
    bool Reads;
    Lines Memo;
  };
  const std::string unread = "The current settings could not be read completely: Failed to get data for 'EnableDHCP'";
  const Case cases[] = {
      {"AsAsked", kGuid, "", {}, false, true, {}},
      {"RefusedAndRestartItemsKeepTheirOwnLineOnly", kGuid, "", {{"EnableStatic", 1}, {"SetWinsServer", 70}}, true,
       true,
       {"The following settings are failed:", "", "[ IP ]: Successful completion, reboot required.", "",
        "[ WINS Server ]: Invalid IP address.", "", "[ DNS Domain ]: Accepted, but the adapter reports nothing", ""}},
      {"UnreadableSettingsFailEachAcceptedItem", kGuid, "Failed to get data for 'EnableDHCP'", {{"SetDNSDomain", 73}},
       true, true,
       {"The following settings are failed:", "", "[ DNS Domain ]: Invalid domain name.", "", "[ IP ]: " + unread,
        "", "[ WINS Server ]: " + unread, ""}},
      {"WithoutGuidNothingIsRead", "", "", {}, true, false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    HookedService service;
    service.Inner.AddAdapter({kMac, true, c.Answers, {}});
    FakeHost host;
    host.ReadFailure = c.ReadFailure;
    host.Present.IPAddress = "10.0.0.5";
    host.Present.SubnetMask = "255.255.255.0";
    host.Present.DefaultGateway = "10.0.0.1";
    host.Present.PrimaryWins = "10.0.0.4";
    FakeView view;
    TSwitchInput input = Input();
    input.Set.EnableIP = input.Set.WinsServer = true;
    input.Set.DnsDomain = c.Domain;
    input.AdapterGuid = c.Guid;
    test::RunSwitch(input, std::make_shared<SwitchSession>(&view), FDispatcher, service, host);
    EXPECT_EQ(view.Memo, c.Memo);
    EXPECT_EQ(view.Failed, !c.Memo.empty());
    const Lines log = host.Log();
    EXPECT_EQ(std::count(log.begin(), log.end(), "ui ReadAdapterConfig " + std::string(c.Guid)), c.Reads ? 1 : 0);
  }
}

TEST_F(SwitchThreadTest, AStoppedRunReadsNothingBack) {
  TSwitchInput input = Input();
  test::TickAllItems(input.Set);
  input.AdapterGuid = kGuid;
  FHost.OnWorkgroup = [this] { FSession->RequestStop(); };
  Run(input);
  EXPECT_EQ(FHost.Log().back(), "JoinWorkgroup LAB");
  EXPECT_TRUE(FView.Memo.empty());
}

// The workgroup item holds the run until the waiting has begun: the wait
// itself must pump, since the adapter steps after it need this thread.
TEST(SwitchThreads, ANewRunOrTheExitWaitsForAnEarlierRun) {
  QueueDispatcher dispatcher;
  HookedService service;
  service.Inner.AddAdapter({kMac, true, {}, {}});
  FakeHost host;
  std::promise<void> waiting;
  host.OnWorkgroup = [future = waiting.get_future().share()] { future.wait(); };
  FakeView view;
  TSwitchInput input = Input();
  input.Set.EnableIP = input.Set.Workgroup = input.Set.WinsServer = true;

  SwitchThreads threads(dispatcher, service, host);
  auto session = threads.Start(input, &view);
  session->Detach(); // the close box: the run goes on unseen
  int waits = 0;
  threads.WaitForEarlierRuns([&] {
    ++waits;
    waiting.set_value();
  });
  EXPECT_EQ(waits, 1);
  EXPECT_TRUE(session->Finished());
  EXPECT_EQ(service.Inner.CalledMethods().back(), "SetWinsServer");
  threads.WaitForEarlierRuns([&] { ++waits; });
  EXPECT_EQ(waits, 1) << "nothing to wait for";
}

TEST(SwitchThreads, AThreadThatCannotStartIsReportedToTheCaller) {
  QueueDispatcher dispatcher;
  HookedService service;
  FakeHost host;
  SwitchThreads threads(dispatcher, service, host, [](std::function<void()>) -> std::thread {
    throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
  });
  FakeView view;
  EXPECT_THROW(threads.Start(Input(), &view), std::system_error);
  threads.WaitForEarlierRuns();
  EXPECT_EQ(view.DoneCount, 0);
}

struct HandOverCase {
  const char* Name;
  int Allowed; // hand-overs that succeed before the dispatcher fails
  std::size_t Statuses;
  Lines Log;
};

class SwitchHandOverTest : public SwitchThreadTest, public ::testing::WithParamInterface<HandOverCase> {};

// Whenever the UI thread stops taking work, the run ends there without an
// escape from the thread, and its end still reaches the dialog, as a
// failure: what could not be shown must not look like success.
TEST_P(SwitchHandOverTest, AFailedHandOverEndsTheRunAndTheEndIsStillTold) {
  TSwitchInput input = Input();
  input.Set.ComputerName = input.Set.EnableIP = input.Set.Workgroup = true;
  FHost.HostNameResult = false;
  test::FailingDispatcher failing(FDispatcher, GetParam().Allowed);
  test::RunSwitch(input, FSession, failing, FService, FHost);
  EXPECT_EQ(FView.Statuses.size(), GetParam().Statuses);
  EXPECT_EQ(FHost.Log(), GetParam().Log);
  EXPECT_EQ(FView.DoneCount, 1);
  EXPECT_TRUE(FView.Failed);
  EXPECT_FALSE(FView.DoneOnUiThread);
}

INSTANTIATE_TEST_SUITE_P(
    Moments, SwitchHandOverTest,
    ::testing::Values(HandOverCase{"StartingCaption", 0, 0, {}},
                      HandOverCase{"IpCaption", 1, 1, {}},
                      HandOverCase{"IpStep", 2, 2, {}},
                      HandOverCase{"ComputerNameCaption", 3, 2, {"switch PumpWait 200"}},
                      HandOverCase{"ComputerNameLine", 4, 3, {"switch PumpWait 200", "SetHostName LAB-PC"}},
                      HandOverCase{"Heading", 6, 4,
                                   {"switch PumpWait 200", "SetHostName LAB-PC", "JoinWorkgroup LAB"}}),
    [](const auto& info) { return std::string(info.param.Name); });

// Whether the task is still queued when the dispatcher shuts down or comes
// after it, the caller gets the error instead of waiting for ever.
TEST(Dispatchers, AfterAShutdownNoCallerWaits) {
  QueueDispatcher dispatcher;
  std::promise<void> queued;
  std::thread waiting([&] {
    bool ran = false;
    dispatcher.Wake(); // nothing pumps: the task stays queued
    queued.set_value();
    EXPECT_THROW(dispatcher.RunSync([&] { ran = true; }), DispatchError);
    EXPECT_FALSE(ran);
  });
  queued.get_future().wait();
  dispatcher.Shutdown();
  waiting.join();
  std::thread later([&] { EXPECT_THROW(dispatcher.RunSync([] {}), DispatchError); });
  later.join();
}

TEST(Dispatchers, ATaskErrorComesBackAsItIs) {
  QueueDispatcher dispatcher;
  std::atomic<bool> done{false};
  std::thread worker([&] {
    EXPECT_THROW(dispatcher.RunSync([] { throw QuorvinError("refused", 5); }), QuorvinError);
    try {
      dispatcher.RunSync([] { throw QuorvinError("refused", 5); });
    } catch (const DispatchError&) {
      ADD_FAILURE() << "a task's own error is no failed hand-over";
    } catch (const QuorvinError&) {
    }
    done = true;
    dispatcher.Wake();
  });
  dispatcher.PumpUntil([&] { return done.load(); });
  worker.join();
}

} // namespace
} // namespace quorvin

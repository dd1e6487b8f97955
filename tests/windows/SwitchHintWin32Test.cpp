// The progress dialog running whole switches against fakes. What the tests
// see, and when they act, comes from the hooks that the dialog calls as it
// changes; nothing is sampled.

#include "switching/win32/SwitchHint.h"

#include "base/Texts.h"
#include "base/win32/Win32Dispatcher.h"
#include "support/SampleSets.h"
#include "support/SwitchFakes.h"
#include "switching/SystemSwitchHost.h"
#include "switching/sim/SimulatedManagementService.h"
#include "switching/win32/SwitchHintIds.h"
#include "switching/win32/Win32ProcessLauncher.h"
#include "support/SimulatedLab.h"
#include "support/TempFolder.h"
#include "system/sim/SimulatedNetwork.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <future>
#include <system_error>
#include <thread>

namespace quorvin {
namespace {

constexpr const char* kMac = "00:11:22:33:44:55";

struct Seen {
  std::string Caption, Status, Button, Memo;
  int Height = 0;
  bool MemoVisible = false;
};

std::string Text(HWND window) {
  char buffer[1024];
  const int length = ::GetWindowTextA(window, buffer, sizeof buffer);
  return std::string(buffer, length > 0 ? length : 0);
}

Seen Look(HWND dialog) {
  Seen seen;
  seen.Caption = Text(dialog);
  seen.Status = Text(::GetDlgItem(dialog, IDC_PANEL1));
  seen.Button = Text(::GetDlgItem(dialog, IDC_BCANCEL));
  seen.Memo = Text(::GetDlgItem(dialog, IDC_MEMO1));
  // The memo's own style: the dialog itself may not be shown yet (a modal
  // dialog shows itself once its queue is first empty).
  seen.MemoVisible = (::GetWindowLongPtrA(::GetDlgItem(dialog, IDC_MEMO1), GWL_STYLE) & WS_VISIBLE) != 0;
  RECT frame{};
  ::GetWindowRect(dialog, &frame);
  seen.Height = frame.bottom - frame.top;
  return seen;
}

// Clicks the dialog's button the way the button itself reports a click:
// posted, so that the dialog's handler is not entered from inside itself.
void PostClick(HWND dialog) {
  ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_BCANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDC_BCANCEL)));
}

bool Shows(const Seen& seen, const char* part) { return seen.Status.find(part) != std::string::npos; }

class SwitchHintTest : public ::testing::Test {
protected:
  SwitchHintTest() {
    FService.Inner.AddAdapter({kMac, true, {}, {}});
    FInput.ItemNames = test::DefaultItemNames();
    FInput.AdapterMac = kMac;
    FInput.Set.EnableIP = FInput.Set.DefaultPrinter = FInput.Set.Workgroup = FInput.Set.WinsServer = true;
    FInput.Set.IP = "10.0.0.5";
    FInput.Set.Printer = "Laser";
  }

  // Shows the dialog; every state it shows is kept, and act sees each one.
  INT_PTR Show(TSwitchHintOptions options, const std::function<void(HWND, const Seen&)>& act = nullptr,
               SwitchThreads* threads = nullptr) {
    TSwitchHintHooks hooks;
    hooks.Changed = [&](HWND dialog) {
      FSeen.push_back(Look(dialog));
      if (act)
        act(dialog, FSeen.back());
    };
    hooks.Closing = [&](HWND, INT_PTR) {
      ++FClosings;
      if (FOnClosing)
        FOnClosing();
    };
    hooks.Error = [&](HWND, const std::string& text) { FErrors.push_back(text); };
    TfrmSwitchHint form(threads ? *threads : FThreads, FInput, options, std::move(hooks));
    return form.ShowModal(nullptr);
  }
  const Seen& Last() const { return FSeen.back(); }

  Win32Dispatcher FDispatcher;
  test::HookedService FService;
  test::FakeHost FHost;
  SwitchThreads FThreads{FDispatcher, FService, FHost};
  TSwitchInput FInput;
  std::vector<Seen> FSeen;
  std::vector<std::string> FErrors;
  int FClosings = 0;
  std::function<void()> FOnClosing;
};

void ClickWhenFinished(HWND dialog, const Seen& seen) {
  if (seen.Status == "Finished!")
    PostClick(dialog);
}

TEST_F(SwitchHintTest, FinishedWithoutFailuresWaitsForOk) {
  EXPECT_EQ(Show({false, false}, ClickWhenFinished), 1);
  EXPECT_EQ(FSeen.front().Status, "Apply the new settings...");
  EXPECT_EQ(FSeen.front().Button, "Cancel");
  EXPECT_EQ(Last().Caption, "Switch");
  EXPECT_EQ(Last().Status, LoadText(TextId::FinishedText));
  EXPECT_EQ(Last().Button, LoadText(TextId::OkText));
  EXPECT_EQ(Last().Height, TfrmSwitchHint::kShortHeight);
  EXPECT_FALSE(Last().MemoVisible);
  EXPECT_EQ(FService.Inner.CalledMethods().back(), "SetWinsServer");
}

TEST_F(SwitchHintTest, StatusFollowsTheItemsInOrder) {
  Show({true, false});
  std::vector<std::string> statuses;
  for (const Seen& seen : FSeen)
    if (statuses.empty() || statuses.back() != seen.Status)
      statuses.push_back(seen.Status);
  EXPECT_EQ(statuses, (std::vector<std::string>{"Apply the new settings...", "Apply the new settings for...",
                                                "Apply the new settings for [ IP ] ...",
                                                "Apply the new settings for [ Workgroup ] ...",
                                                "Apply the new settings for [ Default Printer ] ...",
                                                "Apply the new settings for [ WINS Server ] ...", "Finished!"}));
}

TEST_F(SwitchHintTest, ClosesItselfWhenAskedOrRunFromTheCommandLine) {
  for (TSwitchHintOptions options : {TSwitchHintOptions{true, false}, TSwitchHintOptions{false, true}}) {
    FSeen.clear();
    EXPECT_EQ(Show(options), 1);
    FThreads.WaitForEarlierRuns();
    EXPECT_EQ(FHost.Log().back(), "MakeDefaultPrinter Laser");
    EXPECT_EQ(Last().Status, "Finished!");
    EXPECT_EQ(Last().Caption, options.CommandLineRun ? "Please wait..." : "Switch");
  }
  EXPECT_EQ(FClosings, 2);
}

TEST_F(SwitchHintTest, FailuresGrowTheDialogAndKeepItOpen) {
  FHost.PrinterResult = false;
  EXPECT_EQ(Show({true, true}, ClickWhenFinished), 1);
  EXPECT_EQ(Last().Height, TfrmSwitchHint::kTallHeight);
  EXPECT_TRUE(Last().MemoVisible);
  EXPECT_EQ(Last().Memo, "The following settings are failed:\r\n\r\n[ Default Printer ]: Failed!\r\n\r\n");
}

// The workgroup item holds the run until the dialog has closed, so the
// close falls inside the run.
TEST_F(SwitchHintTest, CloseBoxLetsTheRunFinishUnseen) {
  std::promise<void> closed;
  FHost.OnWorkgroup = [future = closed.get_future().share()] { future.wait(); };
  FOnClosing = [&] { closed.set_value(); };
  const auto act = [](HWND dialog, const Seen& seen) {
    if (Shows(seen, "[ Workgroup ]"))
      ::PostMessageA(dialog, WM_CLOSE, 0, 0);
  };
  EXPECT_EQ(Show({false, false}, act), 2);
  const std::size_t seenAtClose = FSeen.size();
  FThreads.WaitForEarlierRuns();
  EXPECT_EQ(FHost.Log().back(), "MakeDefaultPrinter Laser") << "the items after the close still ran";
  EXPECT_EQ(FService.Inner.CalledMethods().back(), "SetWinsServer");
  EXPECT_EQ(FSeen.size(), seenAtClose) << "nothing reached the closed dialog";
}

TEST_F(SwitchHintTest, CancelStopsBeforeTheNextItem) {
  std::promise<void> closed;
  FHost.OnWorkgroup = [future = closed.get_future().share()] { future.wait(); };
  FOnClosing = [&] { closed.set_value(); };
  const auto act = [](HWND dialog, const Seen& seen) {
    if (Shows(seen, "[ Workgroup ]"))
      PostClick(dialog);
  };
  EXPECT_EQ(Show({false, false}, act), 1);
  FThreads.WaitForEarlierRuns();
  EXPECT_EQ(FHost.Log().back(), "JoinWorkgroup ") << "no item after the workgroup";
  EXPECT_EQ(FService.Inner.CalledMethods().back(), "EnableStatic");
}

TEST_F(SwitchHintTest, ASwitchThatCannotStartIsShownAsAnErrorAndCloses) {
  SwitchThreads failing(FDispatcher, FService, FHost, [](std::function<void()>) -> std::thread {
    throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
  });
  EXPECT_EQ(Show({false, false}, nullptr, &failing), IDCANCEL);
  ASSERT_EQ(FErrors.size(), 1u);
  EXPECT_FALSE(FErrors[0].empty());
  EXPECT_TRUE(FHost.Log().empty());
}

// The UI thread takes no more work after the IP caption: the run ends, and
// its end still reaches the dialog, which shows it as a failure.
TEST_F(SwitchHintTest, TheEndReachesTheDialogWhenTheUiThreadTakesNoMoreWork) {
  test::FailingDispatcher failing(FDispatcher, 2);
  SwitchThreads threads(failing, FService, FHost);
  EXPECT_EQ(Show({true, false}, ClickWhenFinished, &threads), 1);
  EXPECT_EQ(Last().Status, "Finished!");
  EXPECT_TRUE(Last().MemoVisible);
  EXPECT_TRUE(FHost.Log().empty()) << "nothing after the failed hand-over";
}

} // namespace
} // namespace quorvin

// The same dialog over the simulated network: what it shows and what the
// network holds afterwards.
namespace quorvin {
namespace {

class SwitchHintSimulatedTest : public ::testing::Test {
protected:
  SwitchHintSimulatedTest() {
    test::WriteLabNetwork(FFolder.Path());
    FSet.EnableIP = FSet.DnsServer = FSet.DnsDomain = FSet.WinsServer = true;
    FSet.IP = "192.168.7.20";
    FSet.SubnetMask = "255.255.255.0";
    FSet.Gateway = "192.168.7.1";
    FSet.PreferredDns = "192.168.7.2";
    FSet.DnsDomainText = "home.example";
    FSet.PrimaryWins = "192.168.7.3";
  }

  INT_PTR Show(TSwitchHintOptions options, Seen& last) {
    auto system = CreateSimulatedServices(FFolder.Path(), CreatePlatformServices());
    SimulatedManagementService adapters(FFolder.Path());
    Win32ProcessLauncher launcher;
    SystemSwitchHost host(*system, launcher);
    Win32Dispatcher dispatcher;
    SwitchThreads threads(dispatcher, adapters, host);
    TSwitchHintHooks hooks;
    hooks.Changed = [&](HWND dialog) {
      last = Look(dialog);
      ClickWhenFinished(dialog, last);
    };
    TfrmSwitchHint form(threads, test::LabInput(FSet), options, std::move(hooks));
    return form.ShowModal(nullptr);
  }

  test::TempFolder FFolder;
  TSetRecord FSet;
};

TEST_F(SwitchHintSimulatedTest, AppliesTheSetAndShowsFinished) {
  Seen last;
  EXPECT_EQ(Show({false, false}, last), 1);
  EXPECT_EQ(last.Status, "Finished!");
  EXPECT_EQ(last.Height, TfrmSwitchHint::kShortHeight);
  EXPECT_FALSE(last.MemoVisible);

  SimulatedNetwork network(FFolder.Path());
  const SimulatedAdapter* adapter = network.FindByMac(test::kLabMac);
  ASSERT_NE(adapter, nullptr);
  EXPECT_FALSE(adapter->DhcpEnabled);
  EXPECT_EQ(adapter->IpAddresses, std::vector<std::string>{"192.168.7.20"});
  EXPECT_EQ(adapter->Gateways, std::vector<std::string>{"192.168.7.1"});
  EXPECT_EQ(adapter->DnsServers, std::vector<std::string>{"192.168.7.2"});
  EXPECT_EQ(adapter->DnsDomain, "home.example");
  EXPECT_EQ(adapter->PrimaryWins, "192.168.7.3");
}

TEST_F(SwitchHintSimulatedTest, ARefusedItemShowsTheListAndTheRestIsApplied) {
  FSet.SubnetMask = "255.0.255.0";
  Seen last;
  EXPECT_EQ(Show({true, false}, last), 1);
  EXPECT_EQ(last.Height, TfrmSwitchHint::kTallHeight);
  EXPECT_TRUE(last.MemoVisible);
  EXPECT_EQ(last.Memo, "The following settings are failed:\r\n\r\n[ IP ]: Invalid subnet mask.\r\n\r\n");
  SimulatedNetwork network(FFolder.Path());
  const SimulatedAdapter* adapter = network.FindByMac(test::kLabMac);
  EXPECT_TRUE(adapter->DhcpEnabled);
  EXPECT_EQ(adapter->DnsDomain, "home.example");
}

// The adapter takes the WINS servers without putting them into effect: the
// read-back after the last item lists it, so the run counts as failed and
// the dialog stays open although it would close itself.
TEST_F(SwitchHintSimulatedTest, AnAcceptedButUnappliedItemIsListedAfterTheRun) {
  test::WriteLabNetwork(FFolder.Path(), "NotApplied=SetWINSServer\r\nWINSPrimary=192.168.9.9\r\n");
  Seen last;
  EXPECT_EQ(Show({true, false}, last), 1);
  EXPECT_EQ(last.Height, TfrmSwitchHint::kTallHeight);
  EXPECT_EQ(last.Memo, "The following settings are failed:\r\n\r\n"
                       "[ WINS Server ]: Accepted, but the adapter reports 192.168.9.9\r\n\r\n");
  SimulatedNetwork network(FFolder.Path());
  EXPECT_EQ(network.FindByMac(test::kLabMac)->DnsDomain, "home.example") << "the other items applied";
}

} // namespace
} // namespace quorvin

// The progress dialog running whole switches against fakes, driven from a
// thread timer inside its own modal loop.

#include "switching/win32/SwitchHint.h"

#include "base/win32/Win32Dispatcher.h"
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
  seen.MemoVisible = ::IsWindowVisible(::GetDlgItem(dialog, IDC_MEMO1));
  RECT frame{};
  ::GetWindowRect(dialog, &frame);
  seen.Height = frame.bottom - frame.top;
  return seen;
}

// Called by the timer with the dialog while it is shown; the test decides
// what to do with it.
std::function<void(HWND)> gOnTick;

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
  char name[32];
  ::GetClassNameA(window, name, sizeof name);
  if (std::string(name) == "#32770" && ::IsWindowVisible(window)) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
  HWND dialog = nullptr;
  ::EnumThreadWindows(::GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
  if (dialog && gOnTick)
    gOnTick(dialog);
}

class SwitchHintTest : public ::testing::Test {
protected:
  SwitchHintTest() {
    FService.Inner.AddAdapter({kMac, true, {}, {}});
    FInput.ItemNames = test::DefaultItemNames();
    FInput.AdapterMac = kMac;
    FInput.Set.EnableIP = FInput.Set.DefaultPrinter = FInput.Set.Workgroup = FInput.Set.WinsServer = true;
    FInput.Set.IP = "10.0.0.5";
    FInput.Set.Printer = "Laser";
    FTimer = ::SetTimer(nullptr, 0, 10, OnTimer);
  }
  ~SwitchHintTest() override {
    ::KillTimer(nullptr, FTimer);
    gOnTick = nullptr;
  }

  INT_PTR Show(TSwitchHintOptions options) {
    TfrmSwitchHint form(FThreads, FInput, options);
    return form.ShowModal(nullptr);
  }

  Win32Dispatcher FDispatcher;
  test::HookedService FService;
  test::FakeHost FHost;
  SwitchThreads FThreads{FDispatcher, FService, FHost};
  TSwitchInput FInput;
  UINT_PTR FTimer = 0;
};

TEST_F(SwitchHintTest, FinishedWithoutFailuresWaitsForOk) {
  Seen last;
  gOnTick = [&](HWND dialog) {
    last = Look(dialog);
    if (last.Status == "Finished!")
      ::SendMessageA(::GetDlgItem(dialog, IDC_BCANCEL), BM_CLICK, 0, 0);
  };
  EXPECT_EQ(Show({false, false}), 1);
  EXPECT_EQ(last.Caption, "Switch");
  EXPECT_EQ(last.Status, "Finished!");
  EXPECT_EQ(last.Button, "OK");
  EXPECT_EQ(last.Height, TfrmSwitchHint::kShortHeight);
  EXPECT_FALSE(last.MemoVisible);
  EXPECT_EQ(FService.Inner.CalledMethods().back(), "SetWinsServer");
}

TEST_F(SwitchHintTest, ClosesItselfWhenAskedOrRunFromTheCommandLine) {
  for (TSwitchHintOptions options : {TSwitchHintOptions{true, false}, TSwitchHintOptions{false, true}}) {
    // Read while the switch thread is inside an item, so the dialog is
    // certainly up; a timer tick may come only after it closed itself.
    std::string caption;
    const DWORD uiThread = ::GetCurrentThreadId();
    FHost.OnWorkgroup = [&] {
      HWND dialog = nullptr;
      ::EnumThreadWindows(uiThread, FindDialog, reinterpret_cast<LPARAM>(&dialog));
      wchar_t wide[64] = {};
      const int length = dialog ? ::InternalGetWindowText(dialog, wide, 64) : 0;
      for (int i = 0; i < length; ++i)
        caption += static_cast<char>(wide[i]);
    };
    EXPECT_EQ(Show(options), 1);
    FThreads.WaitAll();
    FHost.OnWorkgroup = nullptr;
    EXPECT_EQ(FHost.Log().back(), "MakeDefaultPrinter Laser");
    if (options.CommandLineRun) {
      EXPECT_EQ(caption, "Please wait...");
    }
  }
}

TEST_F(SwitchHintTest, FailuresGrowTheDialogAndKeepItOpen) {
  FHost.PrinterResult = false;
  Seen last;
  gOnTick = [&](HWND dialog) {
    last = Look(dialog);
    if (last.Status == "Finished!")
      ::SendMessageA(::GetDlgItem(dialog, IDC_BCANCEL), BM_CLICK, 0, 0);
  };
  EXPECT_EQ(Show({true, true}), 1);
  EXPECT_EQ(last.Height, TfrmSwitchHint::kTallHeight);
  EXPECT_TRUE(last.MemoVisible);
  EXPECT_EQ(last.Memo, "The following settings are failed:\r\n\r\n[ Default Printer ]: Failed!\r\n\r\n");
}

TEST_F(SwitchHintTest, CloseBoxLetsTheRunFinishUnseen) {
  std::atomic<bool> closed{false};
  FHost.OnWorkgroup = [&] {
    while (!closed)
      ::Sleep(1);
  };
  gOnTick = [&](HWND dialog) {
    if (Look(dialog).Status.find("[ Workgroup ]") != std::string::npos) {
      ::SendMessageA(dialog, WM_CLOSE, 0, 0);
      closed = true;
    }
  };
  EXPECT_EQ(Show({false, false}), 2);
  FThreads.WaitAll();
  EXPECT_EQ(FHost.Log().back(), "MakeDefaultPrinter Laser") << "the items after the close still ran";
  EXPECT_EQ(FService.Inner.CalledMethods().back(), "SetWinsServer");
}

TEST_F(SwitchHintTest, CancelStopsBeforeTheNextItem) {
  std::atomic<bool> cancelled{false};
  FHost.OnWorkgroup = [&] {
    while (!cancelled)
      ::Sleep(1);
  };
  gOnTick = [&](HWND dialog) {
    if (!cancelled && Look(dialog).Status.find("[ Workgroup ]") != std::string::npos) {
      ::SendMessageA(::GetDlgItem(dialog, IDC_BCANCEL), BM_CLICK, 0, 0);
      cancelled = true;
    }
  };
  EXPECT_EQ(Show({false, false}), 1);
  FThreads.WaitAll();
  EXPECT_EQ(FHost.Log().back(), "JoinWorkgroup ") << "no item after the workgroup";
  EXPECT_EQ(FService.Inner.CalledMethods().back(), "EnableStatic");
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
    FTimer = ::SetTimer(nullptr, 0, 10, OnTimer);
  }
  ~SwitchHintSimulatedTest() override {
    ::KillTimer(nullptr, FTimer);
    gOnTick = nullptr;
  }

  INT_PTR Show(TSwitchHintOptions options, Seen& last) {
    auto system = CreateSimulatedServices(FFolder.Path(), CreatePlatformServices());
    SimulatedManagementService adapters(FFolder.Path());
    Win32ProcessLauncher launcher;
    SystemSwitchHost host(*system, launcher);
    Win32Dispatcher dispatcher;
    SwitchThreads threads(dispatcher, adapters, host);
    gOnTick = [&](HWND dialog) {
      last = Look(dialog);
      if (last.Status == "Finished!")
        ::SendMessageA(::GetDlgItem(dialog, IDC_BCANCEL), BM_CLICK, 0, 0);
    };
    TfrmSwitchHint form(threads, {FSet, test::DefaultItemNames(), std::string(test::kLabMac)}, options);
    return form.ShowModal(nullptr);
  }

  test::TempFolder FFolder;
  TSetRecord FSet;
  UINT_PTR FTimer = 0;
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

} // namespace
} // namespace quorvin

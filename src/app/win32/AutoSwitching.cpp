#include "app/win32/AutoSwitching.h"

#include "base/Texts.h"

#include <shellapi.h>

namespace quorvin {
namespace {

constexpr UINT_PTR kSettleTimer = 0x2509;
constexpr UINT kSettleMilliseconds = 2000;

} // namespace

TAutoSwitching::~TAutoSwitching() {
  if (FIdentifier.joinable())
    FIdentifier.join();
}

TTrayMarks TAutoSwitching::Marks() {
  TTrayMarks marks;
  FHooks.Run([&] { marks = FSwitcher.Marks(FController.WindowOptions().SetNames, FController.AdapterList()); });
  FTray.SetTip(marks.Tip);
  return marks;
}

bool TAutoSwitching::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NETWORKCHANGED) {
    // Each change starts the moment again: the network is identified once
    // the changes have stopped.
    ::SetTimer(FWindow, kSettleTimer, kSettleMilliseconds, nullptr);
    return true;
  }
  if (message == WM_TIMER && wParam == kSettleTimer) {
    ::KillTimer(FWindow, kSettleTimer);
    Settle();
    return true;
  }
  if (message == WM_NETWORKIDENTIFIED) {
    Identified();
    return true;
  }
  if (message == WM_TRAYNOTIFY) {
    if (lParam == NIN_BALLOONUSERCLICK) {
      BalloonClicked();
      return true;
    }
    if (lParam == NIN_BALLOONTIMEOUT) {
      FAsked = {};
      return true;
    }
  }
  return false;
}

void TAutoSwitching::Settle() {
  if (FIdentifier.joinable()) {
    FSettleAgain = true;
    return;
  }
  if (FHooks.Busy()) {
    ::SetTimer(FWindow, kSettleTimer, kSettleMilliseconds, nullptr);
    return;
  }
  std::vector<std::string> adapters;
  FHooks.Run([&] { adapters = FSwitcher.AdaptersToIdentify(FController.WindowOptions().SetNames, FController.AdapterList()); });
  FIdentifier = std::thread([this, adapters = std::move(adapters)] {
    try {
      FSeen = IdentifyAdapters(FIdentity, adapters);
    } catch (...) {
      FSeen.clear(); // no adapter could say: each is on no network
    }
    ::PostMessageA(FWindow, WM_NETWORKIDENTIFIED, 0, 0);
  });
}

void TAutoSwitching::Identified() {
  if (!FIdentifier.joinable())
    return;
  FIdentifier.join();
  if (FSettleAgain) {
    FSettleAgain = false;
    Settle();
    return;
  }
  TNetworkStep step;
  FHooks.Run([&] {
    step = FSwitcher.Settled(FController.WindowOptions().SetNames, FController.AdapterList(),
                             FController.Options().SwitchAutomatically, FHooks.Busy(), FSeen);
  });
  if (step.Retry)
    ::SetTimer(FWindow, kSettleTimer, kSettleMilliseconds, nullptr);
  else
    Act(step);
}

void TAutoSwitching::Act(const TNetworkStep& step) {
  switch (step.Action) {
  case TNetworkAction::Apply:
    FHooks.Run([&] { FController.ActivateSet(step.Sets[0], true); });
    break;
  case TNetworkAction::Ask:
  case TNetworkAction::AskAmong:
    FAsked = step;
    FTray.ShowBalloon(LoadText(TextId::ProductCaption), step.Text);
    break;
  case TNetworkAction::Show:
  case TNetworkAction::Nothing:
    break;
  }
  Marks();
}

void TAutoSwitching::BalloonClicked() {
  const TNetworkStep asked = FAsked;
  FAsked = {};
  if (asked.Action == TNetworkAction::Ask && !FHooks.Busy())
    FHooks.Run([&] { FController.ActivateSet(asked.Sets[0]); });
  else if (asked.Action == TNetworkAction::AskAmong)
    FHooks.ShowTrayMenu();
}

} // namespace quorvin

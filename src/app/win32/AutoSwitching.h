#pragma once
// Switching by network in the running program: the changes the watcher
// posts are settled for a moment (a connection brings several changes
// within a second or two), then NetworkSwitcher decides, and the result is
// carried out here: a set applied as the tray's items apply it, with its
// dialog closing by itself; a balloon whose click applies the set (or, for
// several sets, opens the tray menu); the tray's tip brought up to date.
// The adapters are asked which network they are on by a thread of its own
// (asking may wait for the gateway's answer), and the window decides once
// they have answered.

#include "app/MainController.h"
#include "app/NetworkSwitcher.h"
#include "app/win32/TrayIcon.h"

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace quorvin {

// Posted by the watcher: an address or an interface changed.
inline constexpr UINT WM_NETWORKCHANGED = 0x2509;
// Posted by the identifying thread: the adapters have answered.
inline constexpr UINT WM_NETWORKIDENTIFIED = 0x250A;

struct TAutoSwitchingHooks {
  // Runs a controller call inside the window's error boundary.
  std::function<void(const std::function<void()>&)> Run;
  // A dialog of the window is open, a switch runs or is handed over, the
  // keep question is asked, or the program is ending.
  std::function<bool()> Busy;
  std::function<void()> ShowTrayMenu;
};

class TAutoSwitching {
public:
  TAutoSwitching(HWND window, TTrayIcon& tray, MainController& controller, NetworkSwitcher& switcher,
                 NetworkIdentity& identity, TAutoSwitchingHooks hooks)
      : FWindow(window), FTray(tray), FController(controller), FSwitcher(switcher), FIdentity(identity),
        FHooks(std::move(hooks)) {}
  // Waits for an identifying thread that is still asking.
  ~TAutoSwitching();
  TAutoSwitching(const TAutoSwitching&) = delete;
  TAutoSwitching& operator=(const TAutoSwitching&) = delete;

  // The window forwards its messages; true for the ones handled here.
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // The tray's marks as they are now (the menu's check marks, the tip).
  TTrayMarks Marks();

private:
  void Settle();
  void Identified();
  void Act(const TNetworkStep& step);
  void BalloonClicked();

  HWND FWindow;
  TTrayIcon& FTray;
  MainController& FController;
  NetworkSwitcher& FSwitcher;
  NetworkIdentity& FIdentity;
  TAutoSwitchingHooks FHooks;
  // The identifying thread; what it found is read once it has ended.
  std::thread FIdentifier;
  std::map<std::string, TNetworkSignature> FSeen;
  // A change settled while the adapters were being asked: ask again after.
  bool FSettleAgain = false;
  // What the balloon shown last asks about; nothing once it is gone.
  TNetworkStep FAsked;
};

} // namespace quorvin

#pragma once
// Switching by network in the running program: the changes the watcher
// posts are settled for a moment (a connection brings several changes
// within a second or two), then NetworkSwitcher decides, and the result is
// carried out here: a set applied as the tray's items apply it, with its
// dialog closing by itself; a balloon whose click applies the set (or, for
// several sets, opens the tray menu); the tray's tip brought up to date.

#include "app/MainController.h"
#include "app/NetworkSwitcher.h"
#include "app/win32/TrayIcon.h"

#include <windows.h>

#include <functional>
#include <vector>

namespace quorvin {

// Posted by the watcher: an address or an interface changed.
inline constexpr UINT WM_NETWORKCHANGED = 0x2509;

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
                 TAutoSwitchingHooks hooks)
      : FWindow(window), FTray(tray), FController(controller), FSwitcher(switcher), FHooks(std::move(hooks)) {}

  // The window forwards its messages; true for the ones handled here.
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // The tray's marks as they are now (the menu's check marks, the tip).
  TTrayMarks Marks();

private:
  void Settle();
  void BalloonClicked();

  HWND FWindow;
  TTrayIcon& FTray;
  MainController& FController;
  NetworkSwitcher& FSwitcher;
  TAutoSwitchingHooks FHooks;
  // What the balloon shown last asks about; nothing once it is gone.
  TNetworkStep FAsked;
};

} // namespace quorvin

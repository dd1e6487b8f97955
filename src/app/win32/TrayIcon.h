#pragma once
// The program's icon in the notification area. It is wanted for the whole
// run; an add refused because the taskbar is not there yet (early in a
// session, or while Explorer restarts) is kept as a wish and made again when
// the taskbar announces itself ("TaskbarCreated") or at the next retry.

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace quorvin {

inline constexpr UINT WM_TRAYNOTIFY = 0x2502;

class TTrayIcon {
public:
  // window receives WM_TRAYNOTIFY and the retry timer; icon is not owned.
  TTrayIcon(HWND window, HICON icon, std::string tip);
  ~TTrayIcon();
  TTrayIcon(const TTrayIcon&) = delete;
  TTrayIcon& operator=(const TTrayIcon&) = delete;

  // True with NIM_ADD, false with NIM_DELETE. Returns whether the icon is
  // shown now.
  bool TrayIcon(bool add);
  bool Shown() const { return FShown; }
  // Changes the tip, now when the icon is shown and at every later add.
  void SetTip(std::string tip);
  // A balloon over the icon (texts in the ANSI code page); its click comes
  // as WM_TRAYNOTIFY with NIN_BALLOONUSERCLICK.
  void ShowBalloon(const std::string& title, const std::string& text);

  // The window forwards every message here first; true when it was the
  // taskbar's announcement or the retry timer, which this object handles.
  bool HandleMessage(UINT message, WPARAM wParam);

private:
  NOTIFYICONDATAA Record() const;
  void Add();

  HWND FWindow;
  HICON FIcon;
  std::string FTip;
  UINT FTaskbarCreated;
  bool FWanted = false;
  bool FShown = false;
};

} // namespace quorvin

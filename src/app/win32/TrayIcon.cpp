#include "app/win32/TrayIcon.h"

#include <algorithm>
#include <cstring>

namespace quorvin {

namespace {

constexpr UINT_PTR kRetryTimer = 0x2502;
constexpr UINT kRetryMilliseconds = 2000;

} // namespace

TTrayIcon::TTrayIcon(HWND window, HICON icon, std::string tip)
    : FWindow(window), FIcon(icon), FTip(std::move(tip)),
      FTaskbarCreated(::RegisterWindowMessageA("TaskbarCreated")) {
  // The program runs elevated, Explorer does not: the system drops
  // Explorer's registered messages to this window unless the window lets
  // them through. Only this one, which re-adds the icon after Explorer
  // restarted; the private messages stay closed to lower processes.
  if (FTaskbarCreated != 0)
    ::ChangeWindowMessageFilterEx(FWindow, FTaskbarCreated, MSGFLT_ALLOW, nullptr);
}

TTrayIcon::~TTrayIcon() {
  if (FShown)
    TrayIcon(false);
}

NOTIFYICONDATAA TTrayIcon::Record() const {
  // The first version of the record: every system since the first shell
  // with a notification area reads it, and it carries all the program uses.
  NOTIFYICONDATAA data{};
  data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  data.hWnd = FWindow;
  data.uID = static_cast<UINT>(reinterpret_cast<UINT_PTR>(FWindow));
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = WM_TRAYNOTIFY;
  data.hIcon = FIcon;
  const std::size_t length = std::min(FTip.size(), sizeof data.szTip - 1);
  std::memcpy(data.szTip, FTip.data(), length);
  return data;
}

void TTrayIcon::Add() {
  NOTIFYICONDATAA data = Record();
  // After Explorer restarted, the old icon is gone and NIM_ADD succeeds; on
  // a second announcement (DPI changes send one too) the icon still exists
  // and NIM_MODIFY keeps it.
  FShown = ::Shell_NotifyIconA(NIM_ADD, &data) || ::Shell_NotifyIconA(NIM_MODIFY, &data);
  if (FShown)
    ::KillTimer(FWindow, kRetryTimer);
  else
    ::SetTimer(FWindow, kRetryTimer, kRetryMilliseconds, nullptr);
}

bool TTrayIcon::TrayIcon(bool add) {
  FWanted = add;
  if (add) {
    Add();
  } else {
    ::KillTimer(FWindow, kRetryTimer);
    NOTIFYICONDATAA data = Record();
    ::Shell_NotifyIconA(NIM_DELETE, &data);
    FShown = false;
  }
  return FShown;
}

bool TTrayIcon::HandleMessage(UINT message, WPARAM wParam) {
  if (FTaskbarCreated != 0 && message == FTaskbarCreated) {
    if (FWanted)
      Add();
    return true;
  }
  if (message == WM_TIMER && wParam == kRetryTimer) {
    if (FWanted && !FShown)
      Add();
    else
      ::KillTimer(FWindow, kRetryTimer);
    return true;
  }
  return false;
}

} // namespace quorvin

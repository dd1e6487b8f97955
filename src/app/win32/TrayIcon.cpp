#include "app/win32/TrayIcon.h"

#include <algorithm>
#include <cstring>
#include <iterator>

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

void TTrayIcon::SetTip(std::string tip) {
  if (tip == FTip)
    return;
  FTip = std::move(tip);
  if (!FShown)
    return;
  NOTIFYICONDATAA data = Record();
  data.uFlags = NIF_TIP;
  ::Shell_NotifyIconA(NIM_MODIFY, &data);
}

void TTrayIcon::ShowBalloon(const std::string& title, const std::string& text) {
  if (!FShown)
    return;
  // The balloon needs the later, larger record; the shell takes either
  // size for the same icon.
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = FWindow;
  data.uID = static_cast<UINT>(reinterpret_cast<UINT_PTR>(FWindow));
  data.uFlags = NIF_INFO;
  data.dwInfoFlags = NIIF_INFO;
  data.uTimeout = 15000;
  ::MultiByteToWideChar(CP_ACP, 0, title.c_str(), -1, data.szInfoTitle, std::size(data.szInfoTitle) - 1);
  ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, data.szInfo, std::size(data.szInfo) - 1);
  ::Shell_NotifyIconW(NIM_MODIFY, &data);
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

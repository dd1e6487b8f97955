#include "proxyhelper/win32/Form1.h"

#include "proxyhelper/ProxyCommand.h"
#include "proxyhelper/win32/Win32ProxyPorts.h"

namespace quorvin::pevrix {

namespace {

constexpr char kClassName[] = "TForm1";
constexpr char kCaption[] = "Form1";
constexpr int kLeft = 263;
constexpr int kTop = 110;

} // namespace

bool TForm1::Create() {
  // A popup tool window has no minimum size and no taskbar button, so even
  // if something showed it, nothing would appear.
  return CreateFor(kClassName, WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, WS_POPUP, nullptr);
}

void TForm1::Show() {
  // The window is never made visible: the command must run even when the
  // first ShowWindow of a process started hidden would be turned into
  // SW_HIDE, and a visible window, however small, could take the focus.
  FormShow();
}

LRESULT TForm1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_CREATE:
    FormCreate();
    return 0;
  case WM_PROXYCOMMAND:
    WMProxyCommand();
    return 0;
  case WM_DESTROY:
    ::PostQuitMessage(0);
    return 0;
  }
  return WindowBase::HandleMessage(message, wParam, lParam);
}

void TForm1::FormCreate() {
  ::SetWindowTextA(FWindow, kCaption);
  ::SetWindowPos(FWindow, nullptr, kLeft, kTop, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm1::FormShow() {
  // Posted, not sent, so that the command runs from the message loop.
  ::PostMessageA(FWindow, WM_PROXYCOMMAND, 0, 0);
}

void TForm1::WMProxyCommand() {
  Win32ProxyRegistry registry;
  Win32InternetOptions options;
  Win32ErrorReporter errors(FWindow);
  ProxyPorts ports{registry, options, errors};
  FExitCode = HandleProxyCommand(ports, ::GetCommandLineA());
  // Also after a reported failure: left running, the hidden window could
  // only be ended from the task manager.
  ::DestroyWindow(FWindow);
}

} // namespace quorvin::pevrix

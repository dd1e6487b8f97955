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

bool TForm1::Create(HINSTANCE instance) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &TForm1::WindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kClassName;
  if (!::RegisterClassExA(&windowClass))
    return false;
  // A popup tool window has no minimum size and no taskbar button, so even
  // if something showed it, nothing would appear.
  return ::CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kClassName, kCaption, WS_POPUP, kLeft, kTop, 0,
                           0, nullptr, nullptr, instance, this) != nullptr;
}

void TForm1::Show() {
  // The window is never made visible: the command must run even when the
  // first ShowWindow of a process started hidden would be turned into
  // SW_HIDE, and a visible window, however small, could take the focus.
  FormShow();
}

LRESULT CALLBACK TForm1::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* form = static_cast<TForm1*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    form->FHandle = window;
    ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  if (auto* form = reinterpret_cast<TForm1*>(::GetWindowLongPtrA(window, GWLP_USERDATA)))
    return form->HandleMessage(message, wParam, lParam);
  return ::DefWindowProcA(window, message, wParam, lParam);
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
  case WM_NCDESTROY:
    ::SetWindowLongPtrA(FHandle, GWLP_USERDATA, 0);
    FHandle = nullptr;
    break;
  }
  return ::DefWindowProcA(FHandle, message, wParam, lParam);
}

void TForm1::FormCreate() {
  ::SetWindowPos(FHandle, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm1::FormShow() {
  // Posted, not sent, so that the command runs from the message loop.
  ::PostMessageA(FHandle, WM_PROXYCOMMAND, 0, 0);
}

void TForm1::WMProxyCommand() {
  Win32ProxyRegistry registry;
  Win32InternetOptions options;
  Win32ErrorReporter errors(FHandle);
  ProxyPorts ports{registry, options, errors};
  FExitCode = HandleProxyCommand(ports, ::GetCommandLineA());
  // Also after a reported failure: left running, the hidden window could
  // only be ended from the task manager.
  ::DestroyWindow(FHandle);
}

} // namespace quorvin::pevrix

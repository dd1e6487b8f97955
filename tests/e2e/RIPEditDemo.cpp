// A small window with an enabled and a disabled IP address edit, for
// looking at the control (scripts/screenshot-ripedit.sh).

#include "widgets/win32/RIPEdit.h"

#include <windows.h>

namespace {

constexpr char kDemoClassName[] = "QuorvinRIPEditDemo";
constexpr char kDemoTitle[] = "RIPEdit demo";

LRESULT CALLBACK DemoWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    ::PostQuitMessage(0);
    return 0;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateLabel(HWND parent, const char* text, int x, int y) {
  HWND label = ::CreateWindowExA(0, "STATIC", text, WS_CHILD | WS_VISIBLE, x, y, 70, 20, parent, nullptr,
                                 ::GetModuleHandleA(nullptr), nullptr);
  ::SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return label;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = DemoWindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kDemoClassName;
  if (!::RegisterClassExA(&windowClass) || !quorvin::RegisterRIPEditClass(instance))
    return 1;

  RECT frame{0, 0, 240, 90};
  ::AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
  HWND window = ::CreateWindowExA(0, kDemoClassName, kDemoTitle, WS_OVERLAPPEDWINDOW, 20, 20,
                                  frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance,
                                  nullptr);
  if (!window)
    return 1;

  CreateLabel(window, "Enabled", 16, 22);
  HWND enabled = quorvin::CreateRIPEdit(window, 101, 100, 20);
  ::SetWindowTextA(enabled, "192.168.1.10");

  CreateLabel(window, "Disabled", 16, 52);
  HWND disabled = quorvin::CreateRIPEdit(window, 102, 100, 50);
  ::SetWindowTextA(disabled, "255.255.255.0");
  if (auto* control = quorvin::TRIPEdit::FromWindow(disabled))
    control->SetEnabled(false);

  ::ShowWindow(window, show);
  ::UpdateWindow(window);

  MSG message;
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (::IsDialogMessageA(window, &message))
      continue;
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

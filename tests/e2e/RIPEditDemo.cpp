// A small window with IP address edits, for looking at the control
// (scripts/screenshot-ripedit.sh): enabled and disabled at the design size,
// one of the size an 80 x 14 dialog-unit template control gets, and a wide
// one, all scaled to the screen's DPI (the Wine prefix's LogPixels).

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

int gDpi = 96;
int Scaled(int pixels) { return ::MulDiv(pixels, gDpi, 96); }

HWND CreateLabel(HWND parent, const char* text, int y) {
  HWND label = ::CreateWindowExA(0, "STATIC", text, WS_CHILD | WS_VISIBLE, Scaled(16), y + Scaled(2), Scaled(80),
                                 Scaled(20), parent, nullptr, ::GetModuleHandleA(nullptr), nullptr);
  ::SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return label;
}

HWND CreateEdit(HWND parent, int id, int y, int width, int height, const char* text) {
  HWND edit = ::CreateWindowExA(0, quorvin::kRIPEditClassName, text, WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                                Scaled(100), y, Scaled(width), Scaled(height), parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleA(nullptr),
                                nullptr);
  return edit;
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

  // The program's manifest declares DPI awareness; the demo has none.
  ::SetProcessDPIAware();
  HDC screen = ::GetDC(nullptr);
  gDpi = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);

  RECT frame{0, 0, Scaled(360), Scaled(150)};
  ::AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
  HWND window = ::CreateWindowExA(0, kDemoClassName, kDemoTitle, WS_OVERLAPPEDWINDOW, 20, 20,
                                  frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance,
                                  nullptr);
  if (!window)
    return 1;

  CreateLabel(window, "Enabled", Scaled(10));
  CreateEdit(window, 101, Scaled(10), 120, 20, "192.168.1.10");
  CreateLabel(window, "Disabled", Scaled(40));
  HWND disabled = CreateEdit(window, 102, Scaled(40), 120, 20, "255.255.255.0");
  if (auto* control = quorvin::TRIPEdit::FromWindow(disabled))
    control->SetEnabled(false);
  CreateLabel(window, "80 x 14 units", Scaled(70));
  CreateEdit(window, 103, Scaled(70), 140, 23, "10.0.0.1");
  CreateLabel(window, "Wide", Scaled(105));
  CreateEdit(window, 104, Scaled(105), 240, 30, "172.16.254.3");

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

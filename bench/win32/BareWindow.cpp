// The floor of the start-up and memory figures: the least that a program
// built as Quorvin.exe is built (static runtime, the same flags and
// manifest, the common controls) can do: one window with one button. Once
// the window is shown it appends the line Quorvin.exe writes then to the
// file that QUORVIN_READY_FILE names, and idles until it is closed.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <commctrl.h>

#ifdef BARE_WINDOW_WITH_QUORVIN_IMPORTS
#include <objbase.h>
#include <oleauto.h>
#include <shellapi.h>
#endif

namespace {

#ifdef BARE_WINDOW_WITH_QUORVIN_IMPORTS
// The variant that tells how much of Quorvin's start and memory the DLLs it
// imports account for: one function of each, never called, so that the
// loader maps and initialises the same set of DLLs (Quorvin.exe's imports
// beyond the bare window's: advapi32, gdi32, ole32, oleaut32, shell32).
extern void* const volatile kImports[] = {
    reinterpret_cast<void*>(&RegCloseKey),   reinterpret_cast<void*>(&GetStockObject),
    reinterpret_cast<void*>(&CoTaskMemFree), reinterpret_cast<void*>(&SysFreeString),
    reinterpret_cast<void*>(&ShellExecuteA)};
#endif

constexpr char kClassName[] = "QuorvinBenchBareWindow";
constexpr int kButtonId = 1;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_CREATE:
    ::CreateWindowExA(0, "BUTTON", "Close", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 20, 20, 100, 28, window,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kButtonId)),
                      reinterpret_cast<CREATESTRUCTA*>(lParam)->hInstance, nullptr);
    return 0;
  case WM_COMMAND:
    if (LOWORD(wParam) == kButtonId)
      ::DestroyWindow(window);
    return 0;
  case WM_DESTROY:
    ::PostQuitMessage(0);
    return 0;
  default:
    return ::DefWindowProcA(window, message, wParam, lParam);
  }
}

void MarkShown() {
  char path[MAX_PATH];
  const DWORD length = ::GetEnvironmentVariableA("QUORVIN_READY_FILE", path, sizeof path);
  if (length == 0 || length >= sizeof path)
    return;
  HANDLE file = ::CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return;
  DWORD written = 0;
  ::WriteFile(file, "shown\r\n", 7, &written, nullptr);
  ::CloseHandle(file);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);

  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  if (!::RegisterClassExA(&windowClass))
    return 1;
  HWND window = ::CreateWindowExA(0, kClassName, "Bare window", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                                  CW_USEDEFAULT, CW_USEDEFAULT, 640, 420, nullptr, nullptr, instance, nullptr);
  if (!window)
    return 1;
  // As Quorvin.exe does: shown, brought to the front, then marked; the
  // first paint comes from the message loop in both.
  ::ShowWindow(window, SW_SHOW);
  ::SetForegroundWindow(window);
  MarkShown();

  MSG message;
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
  return 0;
}

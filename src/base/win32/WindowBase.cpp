#include "base/win32/WindowBase.h"

#include "base/win32/GdiOwners.h"

#include <atomic>
#include <exception>

namespace quorvin {
namespace {

constexpr int kDesignDpi = 96;

void ShowInErrorBox(HWND window, const std::string& text) {
  ::MessageBoxA(window, text.c_str(), "Error", MB_OK | MB_ICONERROR);
}

std::atomic<WindowErrorReporter> gReporter{&ShowInErrorBox};

// An exception thrown while a window was being made fails its creation.
LRESULT FailedResult(UINT message) {
  if (message == WM_NCCREATE)
    return FALSE;
  return message == WM_CREATE ? -1 : 0;
}

} // namespace

void SetWindowErrorReporter(WindowErrorReporter reporter) { gReporter = reporter ? reporter : &ShowInErrorBox; }

void ReportWindowError(HWND window, const std::string& text) noexcept {
  // The reporter shows a box, which may itself fail; nothing may leave here.
  try {
    gReporter.load()(window, text);
  } catch (...) {
  }
}

std::string CurrentExceptionText() {
  try {
    throw;
  } catch (const std::exception& error) {
    return error.what();
  } catch (...) {
    return "Unknown error";
  }
}

bool WindowBase::CreateFor(const char* className, DWORD exStyle, DWORD style, HWND parent) {
  const HINSTANCE instance = ::GetModuleHandleA(nullptr);
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &WindowBase::WindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = className;
  return RegisterClassOnce(windowClass) && ::CreateWindowExA(exStyle, className, "", style, 0, 0, 0, 0, parent, nullptr, instance, this) != nullptr;
}

LRESULT CALLBACK WindowBase::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<WindowBase*>(reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->FWindow = window;
    ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<WindowBase*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!self)
    return ::DefWindowProcA(window, message, wParam, lParam);
  const LRESULT result =
      GuardedMessage(window, FailedResult(message), [&] { return self->HandleMessage(message, wParam, lParam); });
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    self->FWindow = nullptr;
  }
  return result;
}

LRESULT WindowBase::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefWindowProcA(FWindow, message, wParam, lParam);
}

INT_PTR DialogWindow::ShowModal(HWND owner, int templateId) {
  return ::DialogBoxParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), owner, &DialogProc,
                           reinterpret_cast<LPARAM>(this));
}

HWND DialogWindow::CreateModeless(HWND owner, int templateId) {
  return ::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), owner, &DialogProc,
                              reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK DialogWindow::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    ::SetWindowLongPtrA(window, DWLP_USER, lParam);
    reinterpret_cast<DialogWindow*>(lParam)->FWindow = window;
  }
  auto* self = reinterpret_cast<DialogWindow*>(::GetWindowLongPtrA(window, DWLP_USER));
  if (!self)
    return FALSE;
  try {
    return self->HandleMessage(message, wParam, lParam);
  } catch (...) {
    const std::string text = CurrentExceptionText();
    GuardedMessage(window, 0, [&] {
      self->HandlerFailed(text);
      return 0;
    });
    return TRUE;
  }
}

void DialogWindow::HandlerFailed(const std::string& text) { ReportWindowError(FWindow, text); }

bool RegisterClassOnce(const WNDCLASSEXA& windowClass) {
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  return ::GetClassInfoExA(windowClass.hInstance, windowClass.lpszClassName, &existing) ||
         ::RegisterClassExA(&windowClass);
}

std::string WindowText(HWND window) {
  std::string text(static_cast<std::size_t>(::GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

int WindowDpi(HWND window) {
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFunction>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
  if (getDpiForWindow && window) {
    if (const UINT dpi = getDpiForWindow(window))
      return static_cast<int>(dpi);
  }
  const WindowDc screen = quorvin::GetDC(nullptr);
  const int dpi = screen ? ::GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
  return dpi > 0 ? dpi : kDesignDpi;
}

int ScaleToWindowDpi(HWND window, int pixels) { return ::MulDiv(pixels, WindowDpi(window), kDesignDpi); }

void CentreOnOwner(HWND window, int width, int height) {
  RECT area{};
  HWND owner = ::GetWindow(window, GW_OWNER);
  if (!owner || !::IsWindowVisible(owner) || ::IsIconic(owner) || !::GetWindowRect(owner, &area))
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  const int left = area.left + ((area.right - area.left) - width) / 2;
  const int top = area.top + ((area.bottom - area.top) - height) / 2;
  ::SetWindowPos(window, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace quorvin

#pragma once
// The frame of every window procedure of both programs. A window finds its
// object from the window itself (the creation parameter of WM_NCCREATE, or
// of WM_INITDIALOG for a dialog), and nothing a handler throws unwinds into
// the system's dispatcher: the error goes to the program's one reporter and
// the message is answered as failed. Beside them, what every window asks of
// the system: its text, its DPI, its place over its owner.

#include <windows.h>

#include <string>

namespace quorvin {

// Shows an error that reached a window's boundary. Each program sets its
// own at start; until then an error box titled "Error" shows it.
using WindowErrorReporter = void (*)(HWND window, const std::string& text);
void SetWindowErrorReporter(WindowErrorReporter reporter);
void ReportWindowError(HWND window, const std::string& text) noexcept;
// The text of the exception being handled, whatever its type; call it only
// inside a catch block.
std::string CurrentExceptionText();

// For a procedure that finds its object its own way (a subclassed edit, a
// control that makes its object in WM_NCCREATE): runs handler; what it
// throws is reported and fallback returned.
template <class Handler>
LRESULT GuardedMessage(HWND window, LRESULT fallback, Handler&& handler) noexcept {
  try {
    return handler();
  } catch (...) {
    ReportWindowError(window, CurrentExceptionText());
    return fallback;
  }
}

// A window of a class of its own. The class is registered with WindowProc,
// and each window is created with its object as CreateWindowEx's last
// argument (CreateFor does both).
class WindowBase {
public:
  WindowBase(const WindowBase&) = delete;
  WindowBase& operator=(const WindowBase&) = delete;
  HWND Handle() const { return FWindow; }

protected:
  WindowBase() = default;
  virtual ~WindowBase() = default;

  // Registers className once per process and creates the window; false
  // when the system refused either.
  bool CreateFor(const char* className, DWORD exStyle, DWORD style, HWND parent);
  // Every message from WM_NCCREATE to WM_NCDESTROY; after WM_NCDESTROY the
  // window no longer reaches the object. The default is DefWindowProc.
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  HWND FWindow = nullptr;

private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

// A dialog from a template of the executable.
class DialogWindow {
public:
  DialogWindow(const DialogWindow&) = delete;
  DialogWindow& operator=(const DialogWindow&) = delete;
  HWND Handle() const { return FWindow; }
  // Modal over owner; the result EndDialog was given.
  INT_PTR ShowModal(HWND owner, int templateId);

protected:
  DialogWindow() = default;
  virtual ~DialogWindow() = default;

  // Modeless; nullptr when the system refused it.
  HWND CreateModeless(HWND owner, int templateId);
  // Every message from WM_INITDIALOG on, as a dialog procedure answers it.
  virtual INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
  // What a handler threw, after which the message counts as handled; the
  // default reports it and the dialog goes on.
  virtual void HandlerFailed(const std::string& text);

  HWND FWindow = nullptr;

private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

// Registers windowClass unless its name is registered already; false when
// the system refused it.
bool RegisterClassOnce(const WNDCLASSEXA& windowClass);
std::string WindowText(HWND window);
// The window's pixels per inch: its monitor's (GetDpiForWindow, Windows 10
// 1607 on), else the screen's, which older systems have for all monitors.
int WindowDpi(HWND window);
// pixels at 96 DPI, at the window's DPI.
int ScaleToWindowDpi(HWND window, int pixels);
// Gives window the outer size width x height, centred on its owner, or on
// the work area when it has none or the owner is hidden or minimised.
void CentreOnOwner(HWND window, int width, int height);

} // namespace quorvin

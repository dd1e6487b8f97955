#include "app/win32/DialogBase.h"

#include "app/ModalResult.h"
#include "app/win32/Dialogs.h"
#include "base/win32/GdiOwners.h"

#include <exception>

namespace quorvin {
namespace {

// Dialog base units of MS Sans Serif 8 at 96 DPI, the font the sizes were
// designed with.
constexpr int kDesignBaseX = 6;
constexpr int kDesignBaseY = 13;

} // namespace

INT_PTR DialogBase::ShowModal(HWND owner, int templateId) {
  return ::DialogBoxParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), owner, DialogProc,
                           reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK DialogBase::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    ::SetWindowLongPtrA(window, DWLP_USER, lParam);
    reinterpret_cast<DialogBase*>(lParam)->FWindow = window;
  }
  auto* dialog = reinterpret_cast<DialogBase*>(::GetWindowLongPtrA(window, DWLP_USER));
  if (!dialog)
    return FALSE;
  // Nothing may unwind through the dialog manager: what a handler throws is
  // shown by the general error handler and the dialog goes on.
  try {
    return dialog->HandleMessage(message, wParam, lParam);
  } catch (const std::exception& error) {
    ShowErrorBox(window, error);
    return TRUE;
  }
}

INT_PTR DialogBase::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_INITDIALOG:
    FitClientAndCentre();
    FormShow();
    // FormShow gives the focus itself where it wants another control.
    return ::GetFocus() == nullptr || !::IsChild(FWindow, ::GetFocus());
  case WM_COMMAND:
    // Enter and Escape reach the dialog as IDOK and IDCANCEL. No button is
    // the default or the cancel button, so both do nothing, except that
    // Enter presses a focused button: Wine sends IDOK for it where Windows
    // sends the button's own command.
    if (LOWORD(wParam) == IDOK)
      PressFocusedButton();
    else if (LOWORD(wParam) != IDCANCEL)
      Command(LOWORD(wParam), HIWORD(wParam));
    return TRUE;
  case WM_CLOSE:
    // The close box (and Alt+F4) would otherwise arrive as IDCANCEL too.
    CloseWith(kModalCancel);
    return TRUE;
  default:
    return Other(message, wParam, lParam);
  }
}

void DialogBase::PressFocusedButton() {
  HWND focus = ::GetFocus();
  if (!focus || !::IsChild(FWindow, focus))
    return;
  const auto code = ::SendMessageA(focus, WM_GETDLGCODE, 0, 0);
  if (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))
    Command(::GetDlgCtrlID(focus), BN_CLICKED);
}

INT_PTR DialogBase::Other(UINT, WPARAM, LPARAM) { return FALSE; }

std::string DialogBase::ControlText(int id) const {
  HWND control = Control(id);
  std::string text(static_cast<std::size_t>(::GetWindowTextLengthA(control)) + 1, '\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextA(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

int DialogBase::Dpi() const {
  const int dpi = ::GetDeviceCaps(quorvin::GetDC(FWindow).get(), LOGPIXELSY);
  return dpi > 0 ? dpi : 96;
}

// The template's dialog units come near the designed pixels but not exactly
// (a unit is 1.5 by 1.625 pixels); the client area is set exactly, scaled by
// the font the dialog really got, so it grows with the DPI as the controls do.
void DialogBase::FitClientAndCentre() {
  RECT units{0, 0, 4, 8};
  ::MapDialogRect(FWindow, &units);
  RECT frame{0, 0, ::MulDiv(FClientWidth, units.right, kDesignBaseX),
             ::MulDiv(FClientHeight, units.bottom, kDesignBaseY)};
  ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongPtrA(FWindow, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(::GetWindowLongPtrA(FWindow, GWL_EXSTYLE)));
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;

  RECT owner{};
  HWND ownerWindow = ::GetWindow(FWindow, GW_OWNER);
  if (!ownerWindow || !::IsWindowVisible(ownerWindow) || !::GetWindowRect(ownerWindow, &owner))
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &owner, 0);
  const int left = owner.left + ((owner.right - owner.left) - width) / 2;
  const int top = owner.top + ((owner.bottom - owner.top) - height) / 2;
  ::SetWindowPos(FWindow, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace quorvin

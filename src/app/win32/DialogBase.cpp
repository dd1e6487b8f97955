#include "app/win32/DialogBase.h"

#include "app/ModalResult.h"

namespace quorvin {
namespace {

// Dialog base units of MS Sans Serif 8 at 96 DPI, the font the sizes were
// designed with.
constexpr int kDesignBaseX = 6;
constexpr int kDesignBaseY = 13;

} // namespace

INT_PTR DialogBase::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_INITDIALOG:
    FitClientAndCentre();
    FormShow();
    // FormShow gives the focus itself where it wants another control.
    return ::GetFocus() == nullptr || !::IsChild(FWindow, ::GetFocus());
  case WM_COMMAND:
    // Enter and Escape reach the dialog as IDOK and IDCANCEL. No button is
    // the default or the cancel button, so both do nothing unless a dialog
    // answers Escape, except that Enter presses a focused button: Wine sends
    // IDOK for it where Windows sends the button's own command.
    if (LOWORD(wParam) == IDOK)
      PressFocusedButton();
    else if (LOWORD(wParam) == IDCANCEL)
      Cancelled();
    else
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
  CentreOnOwner(FWindow, frame.right - frame.left, frame.bottom - frame.top);
}

} // namespace quorvin

#pragma once
// The frame shared by the four small dialogs: the sizes they were designed
// with, and the keys they ignore.

#include "base/win32/WindowBase.h"

#include <windows.h>

#include <string>

namespace quorvin {

class DialogBase : public DialogWindow {
protected:
  // clientWidth x clientHeight: the designed client area in pixels at
  // 96 DPI with the dialog font (MS Sans Serif 8).
  DialogBase(int clientWidth, int clientHeight) : FClientWidth(clientWidth), FClientHeight(clientHeight) {}

  virtual void FormShow() = 0;
  virtual void Command(int id, int code) = 0;
  // Escape (IDCANCEL); the small dialogs ignore it.
  virtual void Cancelled() {}
  // Any other message; FALSE lets the dialog manager handle it.
  virtual INT_PTR Other(UINT message, WPARAM wParam, LPARAM lParam);

  void CloseWith(INT_PTR modalResult) { ::EndDialog(FWindow, modalResult); }
  HWND Control(int id) const { return ::GetDlgItem(FWindow, id); }
  std::string ControlText(int id) const { return WindowText(Control(id)); }
  bool Checked(int id) const { return ::IsDlgButtonChecked(FWindow, id) == BST_CHECKED; }
  void Check(int id, bool on) const { ::CheckDlgButton(FWindow, id, on ? BST_CHECKED : BST_UNCHECKED); }
  // pixels at 96 DPI, at the dialog's DPI.
  int Scaled(int pixels) const { return ScaleToWindowDpi(FWindow, pixels); }

private:
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) final;
  void FitClientAndCentre();
  void PressFocusedButton();

  int FClientWidth;
  int FClientHeight;
};

} // namespace quorvin

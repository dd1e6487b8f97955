#pragma once
// The frame shared by the four small dialogs: the procedure that finds the
// object, the sizes they were designed with, and the keys they ignore.

#include <windows.h>

#include <string>

namespace quorvin {

class DialogBase {
public:
  virtual ~DialogBase() = default;

  // Modal over owner; the result EndDialog was given.
  INT_PTR ShowModal(HWND owner, int templateId);

protected:
  // clientWidth x clientHeight: the designed client area in pixels at
  // 96 DPI with the dialog font (MS Sans Serif 8).
  DialogBase(int clientWidth, int clientHeight) : FClientWidth(clientWidth), FClientHeight(clientHeight) {}

  virtual void FormShow() = 0;
  virtual void Command(int id, int code) = 0;
  // Any other message; FALSE lets the dialog manager handle it.
  virtual INT_PTR Other(UINT message, WPARAM wParam, LPARAM lParam);

  void CloseWith(INT_PTR modalResult) { ::EndDialog(FWindow, modalResult); }
  HWND Control(int id) const { return ::GetDlgItem(FWindow, id); }
  std::string ControlText(int id) const;
  bool Checked(int id) const { return ::IsDlgButtonChecked(FWindow, id) == BST_CHECKED; }
  void Check(int id, bool on) const { ::CheckDlgButton(FWindow, id, on ? BST_CHECKED : BST_UNCHECKED); }
  // The window's pixels per inch.
  int Dpi() const;

  HWND FWindow = nullptr;

private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void FitClientAndCentre();
  void PressFocusedButton();

  int FClientWidth;
  int FClientHeight;
};

} // namespace quorvin

// TfrmRename: the name edit, whose Enter confirms with any shift state.

#include "app/ModalResult.h"
#include "app/SmallDialogs.h"
#include "app/win32/DialogBase.h"
#include "app/win32/Dialogs.h"
#include "app/win32/resource.h"
#include "base/win32/GdiOwners.h"

#include <commctrl.h>

namespace quorvin {
namespace {

constexpr UINT_PTR kNameEditSubclass = 1;

bool IsKeyDown(UINT message) { return message == WM_KEYDOWN || message == WM_SYSKEYDOWN; }

class TfrmRename final : public DialogBase {
public:
  TfrmRename(std::string caption, std::string& name)
      : DialogBase(289, 135), FCaption(std::move(caption)), FName(name) {}
  ~TfrmRename() override {
    if (FEdit)
      ::RemoveWindowSubclass(FEdit, NameEditProc, kNameEditSubclass);
  }

private:
  void FormShow() override {
    ::SetWindowTextA(FWindow, FCaption.c_str());
    ::SetDlgItemTextA(FWindow, IDC_ENAME, FName.c_str());
    FLabelFont = MakeLabelFont();
    if (FLabelFont)
      ::SendMessageA(Control(IDC_RENAME_LABEL1), WM_SETFONT, reinterpret_cast<WPARAM>(FLabelFont.get()), FALSE);
    FEdit = Control(IDC_ENAME);
    ::SetWindowSubclass(FEdit, NameEditProc, kNameEditSubclass, reinterpret_cast<DWORD_PTR>(this));
    // A failure to focus is of no consequence. The edit selects its whole
    // text as it takes the focus, so typing replaces the old name.
    ::SetFocus(FEdit);
    ::SendMessageA(FEdit, EM_SETSEL, 0, -1);
  }

  // Label1's font: the dialog's, 13 pixels high at 96 DPI.
  UniqueFont MakeLabelFont() const {
    LOGFONTA font{};
    auto dialogFont = reinterpret_cast<HFONT>(::SendMessageA(FWindow, WM_GETFONT, 0, 0));
    if (!dialogFont || !::GetObjectA(dialogFont, sizeof font, &font))
      return nullptr;
    font.lfHeight = -Scaled(13);
    font.lfWidth = 0;
    return UniqueFont(::CreateFontIndirectA(&font));
  }

  void Command(int id, int code) override {
    if (code != BN_CLICKED)
      return;
    if (id == IDC_RENAME_BOK)
      Confirm();
    else if (id == IDC_RENAME_BCANCEL)
      CloseWith(kModalCancel);
  }

  void Confirm() {
    FName = ControlText(IDC_ENAME);
    CloseWith(kModalOk);
  }

  static LRESULT CALLBACK NameEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR data) {
    auto* dialog = reinterpret_cast<TfrmRename*>(data);
    return GuardedMessage(edit, 0, [&] { return dialog->NameEditMessage(edit, message, wParam, lParam); });
  }

  LRESULT NameEditMessage(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_GETDLGCODE: {
      // Claim Enter, so that the dialog manager hands it to the edit
      // instead of turning it into IDOK.
      LRESULT code = ::DefSubclassProc(edit, message, wParam, lParam);
      const auto* pending = reinterpret_cast<const MSG*>(lParam);
      if (pending && IsKeyDown(pending->message) && ConfirmsRename(static_cast<int>(pending->wParam)))
        code |= DLGC_WANTMESSAGE;
      return code;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (ConfirmsRename(static_cast<int>(wParam))) {
        Confirm();
        return 0;
      }
      break;
    case WM_CHAR:
    case WM_SYSCHAR:
      // The character of the confirming Enter (CR, or LF with Ctrl) would
      // only make the edit beep.
      if (wParam == '\r' || wParam == '\n')
        return 0;
      break;
    default:
      break;
    }
    return ::DefSubclassProc(edit, message, wParam, lParam);
  }

  std::string FCaption;
  std::string& FName;
  HWND FEdit = nullptr;
  UniqueFont FLabelFont;
};

} // namespace

INT_PTR ShowRenameDialog(HWND owner, const std::string& caption, std::string& name) {
  TfrmRename dialog(caption, name);
  return dialog.ShowModal(owner, IDD_RENAME);
}

} // namespace quorvin

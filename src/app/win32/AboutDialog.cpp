// TfrmAbout: banner, icon, the product's lines and the address link.

#include "app/ModalResult.h"
#include "app/SmallDialogs.h"
#include "app/win32/DialogBase.h"
#include "app/win32/Dialogs.h"
#include "app/win32/JpegPicture.h"
#include "app/win32/resource.h"
#include "base/Texts.h"

#include <optional>

namespace quorvin {
namespace {

constexpr COLORREF kLinkColour = RGB(0, 0, 255);

class TfrmAbout final : public DialogBase {
public:
  explicit TfrmAbout(ShellPort& shell) : DialogBase(360, 249), FShell(shell) {}

private:
  void FormShow() override {
    FBanner = JpegPicture::FromResource(::GetModuleHandleA(nullptr), IDR_BANNER);
    const int iconSize = Scaled(32);
    FIcon.reset(static_cast<HICON>(::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_QUORVIN),
                                                IMAGE_ICON, iconSize, iconSize, 0)));
    ::SendMessageA(Control(IDC_ABOUT_IMAGE1), STM_SETICON, reinterpret_cast<WPARAM>(FIcon.get()), 0);
    FLinkFont = DerivedFont(false, true);
    FTitleFont = DerivedFont(true, false);
    ::SendMessageA(Control(IDC_LBEADDRESS), WM_SETFONT, reinterpret_cast<WPARAM>(FLinkFont.get()), FALSE);
    ::SendMessageA(Control(IDC_ABOUT_LABEL1), WM_SETFONT, reinterpret_cast<WPARAM>(FTitleFont.get()), FALSE);

    ::SetDlgItemTextA(FWindow, IDC_ABOUT_LABEL1, LoadText(TextId::ProductCaption).c_str());
    ::SetDlgItemTextA(FWindow, IDC_ABOUT_LABEL2, std::string(kAboutVersionLine).c_str());
    ::SetDlgItemTextA(FWindow, IDC_LCOPYWRITE, std::string(kAboutNotice).c_str());
    ::SetDlgItemTextA(FWindow, IDC_ABOUT_LABEL3, std::string(kAboutEmailLine).c_str());
    ::SetDlgItemTextA(FWindow, IDC_LBEADDRESS, std::string(kAboutWebAddress).c_str());
  }

  UniqueFont DerivedFont(bool bold, bool underline) const {
    LOGFONTA font{};
    auto dialogFont = reinterpret_cast<HFONT>(::SendMessageA(FWindow, WM_GETFONT, 0, 0));
    if (!dialogFont || !::GetObjectA(dialogFont, sizeof font, &font))
      return nullptr;
    if (bold)
      font.lfWeight = FW_BOLD;
    font.lfUnderline = underline ? TRUE : FALSE;
    return UniqueFont(::CreateFontIndirectA(&font));
  }

  void Command(int id, int code) override {
    if (id == IDC_ABOUT_BOK && code == BN_CLICKED)
      CloseWith(kModalOk);
    else if (id == IDC_LBEADDRESS && code == STN_CLICKED)
      lbEAddressClick();
  }

  // Opens the product's page; whether it opened is not examined.
  void lbEAddressClick() { FShell.Open("Open", LoadText(TextId::WebPage)); }

  INT_PTR Other(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item->CtlID != IDC_ABOUT_IMAGE2 || !FBanner)
        return FALSE;
      FBanner->DrawStretched(item->hDC, item->rcItem);
      return TRUE;
    }
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(lParam) != Control(IDC_LBEADDRESS))
        return FALSE;
      ::SetTextColor(reinterpret_cast<HDC>(wParam), kLinkColour);
      ::SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      return reinterpret_cast<INT_PTR>(::GetSysColorBrush(COLOR_BTNFACE));
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wParam) != Control(IDC_LBEADDRESS))
        return FALSE;
      ::SetCursor(::LoadCursorA(nullptr, MAKEINTRESOURCEA(32649))); // IDC_HAND
      ::SetWindowLongPtrA(FWindow, DWLP_MSGRESULT, TRUE);
      return TRUE;
    default:
      return FALSE;
    }
  }

  ShellPort& FShell;
  std::optional<JpegPicture> FBanner;
  UniqueIcon FIcon;
  UniqueFont FLinkFont;
  UniqueFont FTitleFont;
};

} // namespace

INT_PTR ShowAboutDialog(HWND owner, ShellPort& shell) {
  TfrmAbout dialog(shell);
  return dialog.ShowModal(owner, IDD_ABOUT);
}

} // namespace quorvin

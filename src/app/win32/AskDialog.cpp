// TfrmAskExit: the question, "&No" first and focused, and the box that
// switches the question's option at once.

#include "app/ModalResult.h"
#include "app/SmallDialogs.h"
#include "app/win32/DialogBase.h"
#include "app/win32/Dialogs.h"
#include "app/win32/resource.h"

namespace quorvin {
namespace {

class TfrmAskExit final : public DialogBase {
public:
  TfrmAskExit(std::string question, TOptionsSetting& options)
      : DialogBase(301, 157), FQuestion(std::move(question)), FOptions(options) {}

private:
  void FormShow() override {
    ::SetDlgItemTextA(FWindow, IDC_ASK_LABEL1, FQuestion.c_str());
    ::SetFocus(Control(IDC_ASK_BCANCEL));
  }

  void Command(int id, int code) override {
    if (code != BN_CLICKED)
      return;
    if (id == IDC_ASK_BCANCEL)
      CloseWith(kModalNo);
    else if (id == IDC_ASK_BOK)
      CloseWith(kModalYes);
    else if (id == IDC_CBASK)
      AskClick(FOptions, ControlText(IDC_ASK_LABEL1), Checked(IDC_CBASK));
  }

  std::string FQuestion;
  TOptionsSetting& FOptions;
};

} // namespace

INT_PTR ShowAskDialog(HWND owner, const std::string& question, TOptionsSetting& options) {
  TfrmAskExit dialog(question, options);
  return dialog.ShowModal(owner, IDD_ASKEXIT);
}

} // namespace quorvin

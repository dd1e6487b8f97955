// TfrmOptions: moves the check boxes to and from the options form.

#include "app/ModalResult.h"
#include "app/OptionsForm.h"
#include "app/win32/DialogBase.h"
#include "app/win32/Dialogs.h"
#include "app/win32/resource.h"

namespace quorvin {
namespace {

class TfrmOptions final : public DialogBase, private OptionsView {
public:
  TfrmOptions(TOptionsSetting& options, const TWindowOptions& window, ProfileFile& file,
              SystemServices& services)
      : DialogBase(323, 187), FForm(*this, options, window, file, services) {}

private:
  void FormShow() override { FForm.FormShow(); }

  void Command(int id, int code) override {
    if (code != BN_CLICKED)
      return;
    if (id == IDC_OPTIONS_BOK)
      FForm.bOKClick();
    else if (id == IDC_OPTIONS_BCANCEL)
      DialogBase::CloseWith(kModalCancel);
  }

  void SetCaption(const std::string& caption) override { ::SetWindowTextA(FWindow, caption.c_str()); }

  void SetChecks(const TOptionsChecks& checks) override {
    Check(IDC_CBAUTOSTART, checks.AutoStart);
    Check(IDC_CBAUTOCLOSEDIALOG, checks.AutoCloseDialog);
    Check(IDC_CBASKLOAD, checks.AskLoad);
    Check(IDC_CBASKEXIT, checks.AskExit);
  }

  TOptionsChecks GetChecks() const override {
    return {Checked(IDC_CBAUTOSTART), Checked(IDC_CBAUTOCLOSEDIALOG), Checked(IDC_CBASKLOAD),
            Checked(IDC_CBASKEXIT)};
  }

  void ShowError(const std::exception& error) override { ShowErrorBox(FWindow, error.what()); }
  void CloseWith(int modalResult) override { DialogBase::CloseWith(modalResult); }

  OptionsForm FForm;
};

} // namespace

INT_PTR ShowOptionsDialog(HWND owner, TOptionsSetting& options, const TWindowOptions& window,
                          ProfileFile& file, SystemServices& services) {
  TfrmOptions dialog(options, window, file, services);
  return dialog.ShowModal(owner, IDD_OPTIONS);
}

} // namespace quorvin

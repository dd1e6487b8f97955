// TfrmOptions: moves the check boxes, the keep question's choice and its
// seconds to and from the options form.

#include "app/ModalResult.h"
#include "app/OptionsForm.h"
#include "app/win32/DialogBase.h"
#include "app/win32/Dialogs.h"
#include "app/win32/resource.h"

#include <iterator>

namespace quorvin {
namespace {

// The keep question's choices in the order of TKeepQuestion.
constexpr const char* kKeepChoices[] = {"Always", "When the set is new or changed", "Never"};

class TfrmOptions final : public DialogBase, private OptionsView {
public:
  TfrmOptions(TOptionsSetting& options, const TWindowOptions& window, ProfileFile& file,
              SystemServices& services)
      : DialogBase(323, 260), FForm(*this, options, window, file, services) {}

private:
  void FormShow() override {
    HWND choices = Control(IDC_CBKEEPQUESTION);
    for (const char* choice : kKeepChoices)
      ::SendMessageA(choices, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice));
    ::SendDlgItemMessageA(FWindow, IDC_EKEEPSECONDS, EM_LIMITTEXT, 3, 0);
    FForm.FormShow();
  }

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
    Check(IDC_CBSWITCHAUTOMATICALLY, checks.SwitchAutomatically);
  }

  TOptionsChecks GetChecks() const override {
    return {Checked(IDC_CBAUTOSTART), Checked(IDC_CBAUTOCLOSEDIALOG), Checked(IDC_CBASKLOAD), Checked(IDC_CBASKEXIT),
            Checked(IDC_CBSWITCHAUTOMATICALLY)};
  }

  void SetKeepChoice(const TKeepChoice& choice) override {
    ::SendDlgItemMessageA(FWindow, IDC_CBKEEPQUESTION, CB_SETCURSEL, static_cast<WPARAM>(choice.Question), 0);
    ::SetDlgItemTextA(FWindow, IDC_EKEEPSECONDS, choice.Seconds.c_str());
  }

  TKeepChoice GetKeepChoice() const override {
    const auto index = ::SendDlgItemMessageA(FWindow, IDC_CBKEEPQUESTION, CB_GETCURSEL, 0, 0);
    const auto question = index >= 0 && index < static_cast<LRESULT>(std::size(kKeepChoices))
                              ? static_cast<TKeepQuestion>(index)
                              : TKeepQuestion::Never;
    return {question, ControlText(IDC_EKEEPSECONDS)};
  }

  void FocusKeepSeconds() override {
    // WM_NEXTDLGCTL rather than SetFocus: the dialog manager then also
    // selects the edit's text and moves the default-button state.
    ::SendMessageA(FWindow, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Control(IDC_EKEEPSECONDS)), TRUE);
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

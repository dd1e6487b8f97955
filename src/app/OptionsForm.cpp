#include "app/OptionsForm.h"

#include "app/ModalResult.h"
#include "base/Texts.h"
#include "system/AutoStart.h"

namespace quorvin {

OptionsForm::OptionsForm(OptionsView& view, TOptionsSetting& options, const TWindowOptions& window,
                         ProfileFile& file, SystemServices& services)
    : FView(view), FOptions(options), FWindow(window), FFile(file), FServices(services) {}

void OptionsForm::FormShow() {
  FView.SetCaption(LoadText(TextId::ProductCaption));
  TOptionsChecks checks;
  checks.AutoCloseDialog = FOptions.AutoCloseDialog;
  checks.AskLoad = FOptions.AskBeforeLoad;
  checks.AskExit = FOptions.AskBeforeExit;
  try {
    checks.AutoStart = GetAutoStart(FServices.Tasks(), FServices.Host());
  } catch (const std::exception& error) {
    // Whatever the question raises is shown, and the box stays unticked.
    FView.ShowError(error);
  }
  FView.SetChecks(checks);
}

void OptionsForm::bOKClick() {
  const TOptionsChecks checks = FView.GetChecks();
  FOptions.AutoCloseDialog = checks.AutoCloseDialog;
  FOptions.AskBeforeLoad = checks.AskLoad;
  FOptions.AskBeforeExit = checks.AskExit;
  try {
    // Every OK registers (or removes) the logon task, changed or not.
    SetAutoStart(FServices.Tasks(), FServices.GetRegistry(), FServices.Host(), checks.AutoStart);
    TWindowOptions window = FWindow;
    LoadOrSaveOptions(false, FFile, FOptions, window);
  } catch (const std::exception& error) {
    // A refused start with Windows (a folder that users can change, or a
    // registration that failed) or save: the options copied above keep their
    // new values, nothing after the failed step runs, and the dialog stays
    // open, so the box is not saved as on.
    FView.ShowError(error);
    return;
  }
  FView.CloseWith(kModalOk);
}

} // namespace quorvin

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
    checks.AutoStart = GetAutoStart(FServices.GetRegistry(), FServices.Host());
  } catch (const std::exception& error) {
    // A Run value of another type: shown, and the box stays unticked.
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
    // Every OK rewrites (or deletes) the Run value, changed or not.
    SetAutoStart(FServices.GetRegistry(), FServices.Host(), checks.AutoStart);
    TWindowOptions window = FWindow;
    LoadOrSaveOptions(false, FFile, FOptions, window);
  } catch (const std::exception& error) {
    // The options copied above keep their new values; nothing after the
    // failed step runs, and the dialog stays open.
    FView.ShowError(error);
    return;
  }
  FView.CloseWith(kModalOk);
}

} // namespace quorvin

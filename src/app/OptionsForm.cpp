#include "app/OptionsForm.h"

#include "app/ModalResult.h"
#include "base/Texts.h"
#include "base/QuorvinError.h"
#include "store/IniValues.h"
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
  checks.SwitchAutomatically = FOptions.SwitchAutomatically;
  try {
    checks.AutoStart = GetAutoStart(FServices.Tasks(), FServices.Host());
  } catch (const std::exception& error) {
    // Whatever the question raises is shown, and the box stays unticked.
    FView.ShowError(error);
  }
  FView.SetChecks(checks);
  FView.SetKeepChoice({FOptions.KeepQuestion, std::to_string(FOptions.KeepSeconds)});
}

void OptionsForm::bOKClick() {
  const TKeepChoice keep = FView.GetKeepChoice();
  const auto seconds = ParseInteger(keep.Seconds);
  if (!seconds || *seconds < kMinKeepSeconds || *seconds > kMaxKeepSeconds) {
    // Before anything is copied or saved: the user corrects the number.
    FView.ShowError(QuorvinError(LoadText(TextId::KeepSecondsRange)));
    FView.FocusKeepSeconds();
    return;
  }
  // Only a changed question is written to a file that does not name it yet.
  if (keep.Question != FOptions.KeepQuestion || *seconds != FOptions.KeepSeconds)
    FOptions.SaveKeepQuestion = true;
  FOptions.KeepQuestion = keep.Question;
  FOptions.KeepSeconds = *seconds;
  const TOptionsChecks checks = FView.GetChecks();
  FOptions.AutoCloseDialog = checks.AutoCloseDialog;
  FOptions.AskBeforeLoad = checks.AskLoad;
  FOptions.AskBeforeExit = checks.AskExit;
  // Like the keep question: a file that does not name it gets it only once
  // the user changes it.
  if (checks.SwitchAutomatically != FOptions.SwitchAutomatically)
    FOptions.SaveSwitchAutomatically = true;
  FOptions.SwitchAutomatically = checks.SwitchAutomatically;
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

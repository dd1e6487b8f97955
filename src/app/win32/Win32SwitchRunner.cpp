#include "app/win32/Win32SwitchRunner.h"

#include "base/win32/ErrorChecks.h"

#include "switching/win32/SwitchHint.h"

namespace quorvin {

TActivateOutcome Win32SwitchRunner::RunSwitch(const TSwitchInput& input, const TSwitchRunOptions& options) {
  // Only the run's end message says how it went; a run stopped by "Cancel"
  // or left behind by the close box never sends it, and stays unfinished.
  TActivateOutcome outcome;
  TSwitchHintHooks hooks;
  hooks.Done = [&outcome](bool failed, const std::vector<std::string>& listLines) {
    outcome.End = failed ? TActivateEnd::Failed : TActivateEnd::Applied;
    outcome.Lines = FailureLinesOf(listLines);
  };
  TfrmSwitchHint form(FThreads, input, {options.AutoCloseDialog, options.CommandLineRun}, std::move(hooks));
  // A dialog that cannot be shown must not pass for a switch that ran.
  ThrowLastErrorIf(form.ShowModal(FOwner) == -1, "Cannot show the progress dialog");
  return outcome;
}

} // namespace quorvin

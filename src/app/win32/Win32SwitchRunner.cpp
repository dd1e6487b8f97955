#include "app/win32/Win32SwitchRunner.h"

#include "base/QuorvinError.h"

#include "switching/win32/SwitchHint.h"

namespace quorvin {

void Win32SwitchRunner::RunSwitch(const TSwitchInput& input, const TSwitchRunOptions& options) {
  TfrmSwitchHint form(FThreads, input, {options.AutoCloseDialog, options.CommandLineRun});
  // A dialog that cannot be shown must not pass for a switch that ran.
  if (form.ShowModal(FOwner) == -1)
    throw QuorvinError("Cannot show the progress dialog", ::GetLastError());
}

} // namespace quorvin

#include "app/win32/Win32SwitchRunner.h"

#include "switching/win32/SwitchHint.h"

namespace quorvin {

void Win32SwitchRunner::RunSwitch(const TSwitchInput& input, const TSwitchRunOptions& options) {
  TfrmSwitchHint form(FThreads, input, {options.AutoCloseDialog, options.CommandLineRun});
  form.ShowModal(FOwner);
}

} // namespace quorvin

#pragma once
// The main window's switch runner: the progress dialog TfrmSwitchHint over
// the run's switch threads.

#include "app/MainView.h"
#include "switching/SwitchThreads.h"

#include <windows.h>

namespace quorvin {

class Win32SwitchRunner final : public SwitchRunner {
public:
  explicit Win32SwitchRunner(SwitchThreads& threads) : FThreads(threads) {}

  // The window that the dialog is modal to.
  void SetOwner(HWND owner) { FOwner = owner; }

  void WaitForEarlierSwitches(const std::function<void()>& whileWaiting) override {
    FThreads.WaitForEarlierRuns(whileWaiting);
  }
  // A switch has not ended yet, shown or not.
  bool RunsUnderWay() const { return FThreads.Running(); }
  TActivateOutcome RunSwitch(const TSwitchInput& input, const TSwitchRunOptions& options) override;

private:
  SwitchThreads& FThreads;
  HWND FOwner = nullptr;
};

} // namespace quorvin

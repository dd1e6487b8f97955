// MainController's activation path: the checks before a switch, the wait
// for an earlier one, and the switch input taken from the shown page.
#include "app/MainController.h"

#include "app/PageBinding.h"
#include "base/ScopeExit.h"
#include "base/Texts.h"
#include "system/AdapterList.h"

#include <array>
#include <cstddef>

namespace quorvin {

TActivateOutcome MainController::aActivateExecute() { return Activate(false); }

TActivateOutcome MainController::Activate(bool closeOnSuccess) {
  // While an earlier switch is awaited the window still handles messages;
  // a second F5 then must not start a second wait.
  if (FActivating)
    return {};
  FActivating = true;
  ScopeExit done([this] { FActivating = false; });
  WaitForEarlierSwitch();
  // What is applied is what the fields show after their own corrections.
  FView.EndFieldEdit();
  const int adapter = FView.AdapterIndex();
  if (!AdapterEntryAt(FAdapterList, adapter))
    return Refuse(TextId::NoAdapterChosen);
  if (!AnyItemTicked(FView))
    return Refuse(TextId::NoItemTicked);
  return FRunner.RunSwitch(SwitchInput(adapter), {FOptions.AutoCloseDialog || closeOnSuccess, FCommandLineRun});
}

TActivateOutcome MainController::Refuse(TextId message) {
  const std::string text = LoadText(message);
  FView.ShowMessage(text);
  return {TActivateEnd::Refused, {text}};
}

TActivateOutcome MainController::ActivateSet(int index, bool closeOnSuccess) {
  if (FActivating || index < 0 || index >= FView.TabCount())
    return {};
  SelectTab(index);
  return Activate(closeOnSuccess);
}

void MainController::WaitForEarlierSwitch() {
  // A switch whose dialog was closed goes on unseen; two switches must not
  // apply to one adapter at once.
  // The window takes no input meanwhile: a tab change, an edit or a
  // second F5 must not slip in under the wait.
  bool waited = false;
  ScopeExit ready([&] {
    if (waited)
      FView.SetWaiting(false);
  });
  FRunner.WaitForEarlierSwitches([&] {
    waited = true;
    FView.SetWaiting(true);
  });
}

TSwitchInput MainController::SwitchInput(int adapter) {
  std::array<std::string, kSwitchItemCount> itemNames;
  for (std::size_t i = 0; i < kSwitchItemCount; ++i)
    itemNames[i] = FView.GetCaption(kItemTickBoxes[i]);
  return MakeSwitchInput(ShownSet(FCurrentSet), itemNames, *AdapterEntryAt(FAdapterList, adapter));
}

} // namespace quorvin

// MainController's activation path: the checks before a switch, the wait
// for an earlier one, the switch input taken from the shown page, and the
// record of the last switch with its undo.
#include "app/MainController.h"

#include "app/PageBinding.h"
#include "app/ProgramLifecycle.h"
#include "app/UndoRecord.h"
#include "app/KeepQuestion.h"
#include "base/AsciiCase.h"
#include "base/ScopeExit.h"
#include "base/Texts.h"
#include "store/FileIo.h"
#include "store/IniValues.h"
#include "system/AdapterList.h"

#include <array>
#include <cstddef>

namespace quorvin {

TActivateOutcome MainController::aActivateExecute() { return Activate(false); }

TActivateOutcome MainController::Activate(bool handedOver) {
  return Exclusive([&] {
    // What is applied is what the fields show after their own corrections.
    FView.EndFieldEdit();
    const int adapter = FView.AdapterIndex();
    if (!AdapterEntryAt(FAdapterList, adapter))
      return Refuse(TextId::NoAdapterChosen);
    if (!AnyItemTicked(FView))
      return Refuse(TextId::NoItemTicked);
    const TRecordedRun run =
        RunRecorded(SwitchInput(adapter), {FOptions.AutoCloseDialog || handedOver, FCommandLineRun});
    // Scripts may run unattended: only a switch the user started asks.
    if (!handedOver && !FCommandLineRun)
      AskToKeep(run);
    return run.Outcome;
  });
}

TActivateOutcome MainController::Exclusive(const std::function<TActivateOutcome()>& activation) {
  // While an earlier switch is awaited the window still handles messages;
  // a second F5 then must not start a second wait.
  if (FActivating)
    return {};
  FActivating = true;
  ScopeExit done([this] { FActivating = false; });
  WaitForEarlierSwitch();
  return activation();
}

std::string MainController::UndoFilePath() const { return FSettingsFolder + std::string(kUndoFileName); }

std::optional<TUndoFile> MainController::ReadUndoFile() const {
  const std::optional<std::string> bytes = ReadWholeFile(UndoFilePath());
  return bytes ? ParseUndoFile(*bytes) : std::nullopt;
}

MainController::TRecordedRun MainController::RunRecorded(const TSwitchInput& input,
                                                        const TSwitchRunOptions& options) {
  TRecordedRun run;
  run.Applied = input.Set;
  run.Applied.NetworkAdapterGuid = input.AdapterGuid;
  const std::string path = UndoFilePath();
  std::optional<std::string> earlier;
  std::optional<TSetRecord> record;
  try {
    earlier = ReadWholeFile(path);
    record = RecordBefore(run.Applied, ReadPresentState(FSystem, run.Applied));
    WriteFileAtomically(path, UndoFileBytes(*record));
  } catch (const std::exception&) {
    // The switch goes on without a record; an earlier one would undo to a
    // state from before this switch, so it goes too.
    record.reset();
    RemoveFile(path);
  }
  run.Outcome = FRunner.RunSwitch(input, options);
  try {
    if (!record)
      return run;
    const TPresentState after = ReadPresentState(FSystem, run.Applied);
    run.AdapterChanged = AnyRecordedItemDiffers(*record, after, true);
    run.Gateway = after.Adapter.DefaultGateway;
    if (!AnyRecordedItemDiffers(*record, after)) {
      if (earlier)
        WriteFileAtomically(path, *earlier);
      else
        RemoveFile(path);
    }
  } catch (const std::exception&) {
    // The new record stays: what the run changed cannot be told.
  }
  return run;
}

void MainController::AskToKeep(const TRecordedRun& run) {
  if (!run.AdapterChanged)
    return;
  const std::string section = SetSectionName(FCurrentSet);
  const std::string fingerprint = AdapterItemsFingerprint(run.Applied);
  const std::string lastKept = FFile.Exists() ? FFile.ReadString(section, kKeptAdapterItemsKey, "") : "";
  if (!AsksToKeep(FOptions.KeepQuestion, fingerprint, lastKept))
    return;
  const std::optional<TUndoFile> undo = ReadUndoFile();
  if (!undo)
    return; // without a record there is nothing to revert to
  // The open question is in the record first: if the program ends while it
  // is asked, the next start offers the revert.
  WriteFileAtomically(UndoFilePath(), UndoFileBytes(undo->Record, true));
  const TKeepAnswer answer = FView.AskToKeep(FOptions.KeepSeconds, run.Gateway);
  WriteFileAtomically(UndoFilePath(), UndoFileBytes(undo->Record));
  if (answer == TKeepAnswer::Keep)
    WriteText(FFile, section, kKeptAdapterItemsKey, fingerprint);
  else
    RunUndo(false);
}

bool MainController::CanUndo() const { return !FActivating && FileExists(UndoFilePath()); }

TActivateOutcome MainController::UndoLastSwitch(bool closeOnSuccess) {
  return Exclusive([&] { return RunUndo(closeOnSuccess); });
}

TActivateOutcome MainController::RunUndo(bool closeOnSuccess) {
  const std::optional<TUndoFile> undo = ReadUndoFile();
  if (!undo)
    return Refuse(TextId::NothingToUndo);
  std::optional<TAdapterEntry> adapter;
  for (std::size_t i = 0; i < AdapterEntryCount(FAdapterList) && !adapter; ++i) {
    adapter = AdapterEntryAt(FAdapterList, static_cast<std::int64_t>(i));
    if (!EqualsIgnoringCase(adapter->Guid, undo->Record.NetworkAdapterGuid))
      adapter.reset();
  }
  if (!adapter)
    return Refuse(TextId::UndoAdapterGone);
  const TActivateOutcome outcome = FRunner.RunSwitch(MakeSwitchInput(undo->Record, ItemNames(), *adapter),
                                                     {FOptions.AutoCloseDialog || closeOnSuccess, FCommandLineRun});
  if (outcome.End == TActivateEnd::Applied)
    RemoveFile(UndoFilePath());
  return outcome;
}

void MainController::OfferUnconfirmedRevert() {
  if (FCommandLineRun)
    return;
  const std::optional<TUndoFile> undo = ReadUndoFile();
  if (!undo || !undo->QuestionOpen)
    return;
  // Offered once: the question counts as answered before it is asked.
  WriteFileAtomically(UndoFilePath(), UndoFileBytes(undo->Record));
  if (FView.AskYesNo(LoadText(TextId::RevertUnconfirmed)))
    UndoLastSwitch();
}

TActivateOutcome MainController::CommandLineActivate() {
  return FCommandLineUndo ? UndoLastSwitch() : aActivateExecute();
}

TActivateOutcome MainController::Refuse(TextId message) {
  const std::string text = LoadText(message);
  FView.ShowMessage(text);
  return {TActivateEnd::Refused, {text}};
}

TActivateOutcome MainController::ActivateSet(int index, bool handedOver) {
  if (FActivating || index < 0 || index >= FView.TabCount())
    return {};
  SelectTab(index);
  return Activate(handedOver);
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

std::array<std::string, kSwitchItemCount> MainController::ItemNames() {
  std::array<std::string, kSwitchItemCount> itemNames;
  for (std::size_t i = 0; i < kSwitchItemCount; ++i)
    itemNames[i] = FView.GetCaption(kItemTickBoxes[i]);
  return itemNames;
}

TSwitchInput MainController::SwitchInput(int adapter) {
  return MakeSwitchInput(ShownSet(FCurrentSet), ItemNames(), *AdapterEntryAt(FAdapterList, adapter));
}

} // namespace quorvin

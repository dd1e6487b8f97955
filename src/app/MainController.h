#pragma once
// TfrmMain's rules: the set tabs, the page's enabling, the adapter box, Load
// Current, Activate, adding, renaming and deleting sets, the settings-file
// notice and the links. It works on the window through MainView and on the
// system through its ports; the window forwards its events here.

#include "app/AdapterChoice.h"
#include "app/MainView.h"
#include "app/ShellPort.h"
#include "app/UndoRecord.h"
#include "base/Texts.h"
#include "store/ProfileFile.h"
#include "store/Settings.h"
#include "system/SystemServices.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvin {

class MainController {
public:
  MainController(MainView& view, ProfileFile& file, SystemServices& system, ShellPort& shell,
                 SwitchRunner& runner, std::string settingsFolder);

  // Creation: the proxy controls disabled, the options and set names read;
  // on a first start (no settings file) the help page opens.
  SettingsFileState FormCreate();
  // First show: the adapter box, the printer box and one tab per set name,
  // then the set that firstArgument names ("/" and a tab's caption: loaded
  // with its snapshot, the tab selection left alone, and the run becomes a
  // command-line run), else the set of "DefaultTab" with its tab selected.
  // A list that cannot be read does not stop the rest; its error is raised
  // once the set is shown.
  void FormShow(std::string_view firstArgument = {});

  // Exit: the options with the shown set and the tab count (not before the
  // first show built the tabs), then the shown set when it was changed.
  void SaveOptions();
  void SaveShownSetIfModified();
  // What the exit (and the end of the session) keeps: both of the above,
  // except in a command-line run, which writes nothing.
  void SaveAtExit();
  // Before an activation, and at exit: waits for a switch that is still
  // running, the window taking no input meanwhile.
  void WaitForEarlierSwitch();

  // Event handlers.
  void tcSetsChange();
  void rbAutoIPClick();
  void rbAutoDnsServerClick();
  void cbUseProxyServerClick();
  void bRefreshClick();
  void cbNetworkAdapterDropDown();
  void aLoadCurrentExecute();
  // Set Network: the shown set's network in the Network dialog, saved on
  // OK. Nothing while an activation is under way.
  void aSetNetworkExecute();
  // Says how the activation ended.
  TActivateOutcome aActivateExecute();
  void aAddNewSetExecute();
  void miRenameClick();
  void aDeleteSetExecute();
  void ShowSettingsfile1Click();
  void aHelpExecute();
  void Image2Click();
  void lUpdateClick();
  void miSetingsClick();
  void miAboutClick();

  // A set chosen from the notification icon's menu: what the user would do
  // by hand. Its tab is selected (the tab change, so a changed shown set is
  // saved first), then Activate runs with its checks and the progress
  // dialog. Nothing here shows the window. While an activation is under
  // way, or for a set that is no longer there, nothing happens at all.
  // handedOver: a set handed over by a second start; its dialog closes by
  // itself when every item applied, whatever the option says, and it asks
  // nothing afterwards.
  TActivateOutcome ActivateSet(int index, bool handedOver = false);
  // Undo Last Switch: the record of the last switch (undo.ini beside the
  // settings file) applied as a set is, with the progress dialog, and
  // removed once every item applied. Refused, with a message, when there is
  // no record or its adapter is gone (the record is kept then).
  TActivateOutcome UndoLastSwitch(bool closeOnSuccess = false);
  void miUndoLastSwitchClick() { UndoLastSwitch(); }
  // There is a record to undo and no activation is under way.
  bool CanUndo() const;
  // After the first show: a switch whose keep question was never answered
  // (the program ended while it was open) is offered for undoing, once.
  void OfferUnconfirmedRevert();
  // A command-line run's activation: the named set's, or the undo's.
  TActivateOutcome CommandLineActivate();
  // True while an activation waits for an earlier switch or shows its
  // dialog: a set chosen now would not be applied.
  bool Activating() const { return FActivating; }

  int CurrentSet() const { return FCurrentSet; }
  // False while no load filled the page.
  bool IsShownSetModified();
  TOptionsSetting& Options() { return FOptions; }
  // The shown set and the tab captions, in tab order.
  TWindowOptions WindowOptions();
  const std::vector<std::string>& AdapterList() const { return FAdapterList; }
  bool CommandLineRun() const { return FCommandLineRun; }

private:
  // Selects a tab; a change of tab runs the tab change.
  void SelectTab(int index);
  void ShowStartSet();
  void LoadCommandLineSet(int index);
  // Loads a set into the page with its snapshot and makes it the current set.
  void ShowSet(int index);
  void LoadIntoPage(int index);
  void TakeSnapshot(int index);
  // The shown set as the page holds it, with the GUID of its adapter.
  TSetRecord ShownSet(int index);
  std::string ShownAdapterGuid(std::int32_t chosen) const;
  const std::vector<std::string>& Printers();
  void RefillPrinters();
  void FillFromSystem(const std::string& guid);
  void FillProxy();
  // handedOver: a set handed over by a second start, whose dialog closes by
  // itself on success and which asks nothing.
  TActivateOutcome Activate(bool handedOver);
  // One activation at a time, after any earlier switch has ended.
  TActivateOutcome Exclusive(const std::function<TActivateOutcome()>& activation);
  // Records what input is about to change in undo.ini, then runs it. A run
  // that changed nothing puts the earlier record back.
  struct TRecordedRun {
    TActivateOutcome Outcome;
    TSetRecord Applied;
    // An adapter item differs from the record after the run; the adapter's
    // gateway then.
    bool AdapterChanged = false;
    std::string Gateway;
  };
  TRecordedRun RunRecorded(const TSwitchInput& input, const TSwitchRunOptions& options);
  // After an interactive switch that changed an adapter item, as the option
  // says: keeps it (and its fingerprint with the set), or undoes it.
  void AskToKeep(const TRecordedRun& run);
  std::string UndoFilePath() const;
  // The record of the last switch; nothing when there is none.
  std::optional<TUndoFile> ReadUndoFile() const;
  // Undo Last Switch inside an activation already under way.
  TActivateOutcome RunUndo(bool closeOnSuccess);
  // One of Activate's checks: the message shown, and the outcome.
  TActivateOutcome Refuse(TextId message);
  TSwitchInput SwitchInput(int adapter);
  // The tick boxes' captions, in item order.
  std::array<std::string, kSwitchItemCount> ItemNames();

  MainView& FView;
  ProfileFile& FFile;
  SystemServices& FSystem;
  ShellPort& FShell;
  SwitchRunner& FRunner;
  std::string FSettingsFolder;

  TOptionsSetting FOptions;
  std::vector<std::string> FSetNames;
  std::vector<std::string> FAdapterList;
  // The adapter as the shown set's load found it: the entry chosen, that
  // entry's GUID then, and the GUID the set came with.
  struct TLoadedAdapter {
    std::int32_t Position = -1;
    std::string EntryGuid;
    std::string SetGuid;
  };
  TLoadedAdapter FLoadedAdapter;
  std::int32_t FCurrentSet = 0;
  bool FCommandLineRun = false;
  // The command line asked for the undo ("/undo", no set of that name).
  bool FCommandLineUndo = false;
  bool FActivating = false;
  bool FTabsBuilt = false;
  // The page holds a set as loaded, with its snapshot.
  bool FPageLoaded = false;
  std::optional<std::vector<std::string>> FPrinters;
  std::optional<std::string> FDefaultPrinter;
};

} // namespace quorvin

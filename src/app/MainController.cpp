// MainController: the set tabs, the page and its loads, the adapter box, Load
// Current, the set list edits and the links. The activation path is in
// MainControllerActivate.cpp.
#include "app/MainController.h"

#include "app/PageBinding.h"
#include "app/ProgramLifecycle.h"
#include "base/AsciiCase.h"
#include "base/ScopeExit.h"
#include "base/Texts.h"
#include "store/IniValues.h"
#include "store/SetNetwork.h"
#include "store/SetRecord.h"
#include "system/AdapterList.h"
#include "system/HostOperations.h"
#include "system/IpConfig.h"
#include "system/ProxySettings.h"

#include <algorithm>
#include <exception>

namespace quorvin {
namespace {

using P = PageControl;

constexpr int kDropDownMargin = 5;

bool IsBlank(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); });
}

} // namespace

MainController::MainController(MainView& view, ProfileFile& file, SystemServices& system, ShellPort& shell,
                               SwitchRunner& runner, std::string settingsFolder)
    : FView(view), FFile(file), FSystem(system), FShell(shell), FRunner(runner),
      FSettingsFolder(std::move(settingsFolder)) {}

SettingsFileState MainController::FormCreate() {
  EnableProxyControls(FView, false);
  TWindowOptions window;
  const SettingsFileState state = LoadOrSaveOptions(true, FFile, FOptions, window);
  FCurrentSet = window.CurrentSet;
  FSetNames = std::move(window.SetNames);
  FCommandLineRun = false;
  if (state == SettingsFileState::Missing)
    FShell.Open("Open", LoadText(TextId::HelpPageAddress));
  return state;
}

void MainController::FormShow(std::string_view firstArgument) {
  // A list that cannot be read leaves its box empty; the tabs and the set
  // still come, so that nothing written later stands on a page that was
  // never loaded. The first failure is raised once the set is shown.
  std::exception_ptr failure;
  try {
    bRefreshClick();
  } catch (...) {
    failure = std::current_exception();
  }
  try {
    RefillPrinters();
  } catch (...) {
    if (!failure)
      failure = std::current_exception();
  }
  // The window comes with five tabs: name them, append the rest, and drop
  // the surplus from the end.
  const int designTabs = FView.TabCount();
  const int count = static_cast<int>(FSetNames.size());
  for (int i = 0; i < count; ++i) {
    if (i < designTabs)
      FView.SetTabCaption(i, FSetNames[i]);
    else
      FView.AppendTab(FSetNames[i]);
  }
  for (int i = designTabs - 1; i >= count; --i)
    FView.DeleteTab(i);
  FTabsBuilt = true;
  if (const auto index = FindCommandLineSet(firstArgument, WindowOptions().SetNames)) {
    LoadCommandLineSet(*index);
    FCommandLineRun = true;
  } else {
    ShowStartSet();
    FCommandLineUndo = IsUndoArgument(firstArgument, WindowOptions().SetNames);
    FCommandLineRun = FCommandLineUndo;
  }
  if (failure)
    std::rethrow_exception(failure);
}

void MainController::ShowStartSet() {
  LoadIntoPage(FCurrentSet);
  TakeSnapshot(FCurrentSet);
  SelectTab(FCurrentSet);
}

void MainController::LoadCommandLineSet(int index) {
  LoadIntoPage(index);
  TakeSnapshot(index);
}

void MainController::SaveOptions() {
  // Without its tabs the window holds the design's five, not the sets.
  if (!FTabsBuilt)
    return;
  TWindowOptions window = WindowOptions();
  LoadOrSaveOptions(false, FFile, FOptions, window);
}

void MainController::SaveAtExit() {
  if (FCommandLineRun)
    return;
  SaveOptions();
  SaveShownSetIfModified();
}

void MainController::SaveShownSetIfModified() {
  if (IsShownSetModified())
    SaveSet(FFile, FCurrentSet, ShownSet(FCurrentSet));
}

// A page that no load filled (the load failed) has nothing of the set: it
// never counts as changed, so it is never written over the set.
bool MainController::IsShownSetModified() {
  return FPageLoaded && IsSetModified(FOptions, ShownSet(FCurrentSet));
}

TWindowOptions MainController::WindowOptions() {
  TWindowOptions window;
  window.CurrentSet = FCurrentSet;
  for (int i = 0; i < FView.TabCount(); ++i)
    window.SetNames.push_back(FView.TabCaption(i));
  return window;
}

void MainController::SelectTab(int index) {
  if (FView.SelectedTab() == index)
    return;
  FView.SelectTab(index);
  tcSetsChange();
}

void MainController::tcSetsChange() {
  const int selected = FView.SelectedTab();
  try {
    SaveShownSetIfModified();
  } catch (...) {
    // The set that could not be written stays shown, under its own tab.
    FView.SelectTab(FCurrentSet);
    throw;
  }
  ShowSet(selected);
}

void MainController::ShowSet(int index) {
  {
    FView.SuspendRedraw(true);
    ScopeExit resume([this] { FView.SuspendRedraw(false); });
    LoadIntoPage(index);
  }
  TakeSnapshot(index);
  RefillPrinters();
  FCurrentSet = index;
}

void MainController::LoadIntoPage(int index) {
  FPageLoaded = false;
  TSetRecord set = LoadSet(FFile, index);
  set.NetworkAdapter = ChooseAdapter(set, FAdapterList);
  FLoadedAdapter = {set.NetworkAdapter, AdapterGuidAt(FAdapterList, set.NetworkAdapter), set.NetworkAdapterGuid};
  FView.SetTabCaption(index, set.Caption);
  WritePage(FView, set);
}

void MainController::TakeSnapshot(int index) {
  // From the controls, not from the file: what the controls made of the
  // loaded values is what a later change test compares with.
  TakeSetSnapshot(FOptions, ShownSet(index));
  FPageLoaded = true;
}

TSetRecord MainController::ShownSet(int index) {
  TSetRecord set = ReadPage(FView, index);
  set.NetworkAdapterGuid = ShownAdapterGuid(set.NetworkAdapter);
  return set;
}

// The GUID follows the box, so it changes only with the chosen entry, which
// the change test sees anyway: a set that is only looked at compares equal
// to its snapshot and is not rewritten, whether or not its file had a GUID.
// A set saved for another reason gets the GUID of its entry. While the box
// shows what the load chose, a set keeps the GUID it came with: one whose
// own adapter is missing now (and fell back on its position) finds that
// adapter again once it is back.
std::string MainController::ShownAdapterGuid(std::int32_t chosen) const {
  const std::string entryGuid = AdapterGuidAt(FAdapterList, chosen);
  if (!FLoadedAdapter.SetGuid.empty() && chosen == FLoadedAdapter.Position && entryGuid == FLoadedAdapter.EntryGuid)
    return FLoadedAdapter.SetGuid;
  return entryGuid;
}

const std::vector<std::string>& MainController::Printers() {
  if (!FPrinters)
    FPrinters = FSystem.Host().Printers();
  return *FPrinters;
}

void MainController::RefillPrinters() { FView.SetPrinterList(Printers()); }

void MainController::rbAutoIPClick() { ApplyChoiceRules(FView); }

void MainController::rbAutoDnsServerClick() { ApplyChoiceRules(FView); }

void MainController::cbUseProxyServerClick() {
  EnableProxyControls(FView, FView.IsChecked(P::cbUseProxyServer));
}

void MainController::bRefreshClick() {
  FAdapterList.clear();
  FView.SetAdapterEntries({});
  std::vector<std::string> list;
  ListConnections(FSystem.Network(), list);
  FAdapterList = std::move(list);
  FView.SetAdapterEntries(AdapterEntries(FAdapterList));
}

void MainController::cbNetworkAdapterDropDown() {
  int width = FView.AdapterBoxWidth();
  const int margin = FView.ScaleToDpi(kDropDownMargin);
  for (const std::string& entry : AdapterEntries(FAdapterList))
    width = std::max(width, FView.AdapterTextWidth(entry) + margin);
  FView.SetAdapterListWidth(width);
}

void MainController::aLoadCurrentExecute() {
  const int adapter = FView.AdapterIndex();
  if (adapter < 0) {
    FView.ShowMessage(LoadText(TextId::NoAdapterChosen));
    return;
  }
  if (FOptions.AskBeforeLoad && !FView.AskWithDialog(LoadText(TextId::LoadQuestion), FOptions))
    return;
  std::string failure;
  {
    FView.SetBusyCursor(true);
    ScopeExit normalCursor([this] { FView.SetBusyCursor(false); });
    try {
      FillFromSystem(AdapterGuidAt(FAdapterList, adapter));
    } catch (const std::exception& error) {
      failure = error.what();
    }
  }
  // A page filled only in part must not pass for a loaded one.
  if (!failure.empty())
    FView.ShowMessage(LoadText(TextId::LoadCurrentFailed) + "\r\n" + failure);
}

void MainController::aSetNetworkExecute() {
  if (FActivating)
    return;
  TSetNetwork network = LoadSetNetwork(FFile, FCurrentSet);
  // Asked when the button is pressed: the adapter box cannot change while
  // the dialog is open, the network can.
  const auto useCurrent = [this]() -> std::optional<TNetworkSignature> {
    const int adapter = FView.AdapterIndex();
    if (adapter < 0)
      return std::nullopt;
    return FSystem.Identity().Seen(AdapterGuidAt(FAdapterList, adapter));
  };
  if (FView.EditSetNetwork(network, useCurrent))
    SaveSetNetwork(FFile, FCurrentSet, network);
}

void MainController::FillFromSystem(const std::string& guid) {
  IpConfig config;
  ReadIpConfig(FSystem.GetRegistry(), guid, config);
  {
    FView.SuspendRedraw(true);
    ScopeExit resume([this] { FView.SuspendRedraw(false); });
    SelectRadio(FView, config.DhcpEnabled ? P::rbAutoIP : P::rbUseIP);
    FView.SetText(P::reIP, config.IPAddress);
    FView.SetText(P::reSubnetMask, config.SubnetMask);
    FView.SetText(P::reGateway, config.DefaultGateway);
    SelectRadio(FView, config.AutoDns ? P::rbAutoDnsServer : P::rbUseDnsServer);
    FView.SetText(P::rePreferredDns, config.PreferredDns);
    FView.SetText(P::reAlternateDns, config.AlternateDns);
    FView.SetText(P::eDnsDomain, config.DnsDomain);
    FView.SetText(P::rePrimaryWins, config.PrimaryWins);
    FView.SetText(P::reSecondaryWins, config.SecondaryWins);
  }
  FillProxy();
  FView.SetText(P::eComputerName, GetComputerNameText(FSystem.Host()));
  FView.SetText(P::eWorkgroup, GetWorkgroupName(FSystem.Host()));
  RefillPrinters();
  if (!Printers().empty()) {
    if (!FDefaultPrinter)
      FDefaultPrinter = GetDefaultPrinter(FSystem.Host());
    const bool listed = std::find(Printers().begin(), Printers().end(), *FDefaultPrinter) != Printers().end();
    FView.SetText(P::cbPrinter, listed ? *FDefaultPrinter : std::string());
  }
}

void MainController::FillProxy() {
  const std::string list = GetProxyList(FSystem.Host());
  // The window shows the system's proxy list as its title from now on.
  if (!list.empty())
    FView.SetCaption(list);
  const ProxyAddress proxy = GetProxyFor(list, "http");
  if (proxy.Port != 0) {
    SetUseProxy(FView, true);
    FView.SetText(P::eProxyAddress, proxy.Server);
    FView.SetText(P::eProxyPort, std::to_string(proxy.Port));
  } else {
    SetUseProxy(FView, false);
  }
}

void MainController::aAddNewSetExecute() {
  std::string name = "SET" + std::to_string(FView.TabCount() + 1);
  if (!FView.AskSetName(LoadText(TextId::NewSet), name))
    return;
  const int index = FView.TabCount();
  // The entered name is kept in the set's section at once: a set without a
  // section would come back with its default name. A section left over at
  // that number (a run that ended without saving its tab count) is dropped,
  // so that the new set starts empty.
  if (FFile.Exists())
    FFile.EraseSection(SetSectionName(index));
  WriteText(FFile, SetSectionName(index), "Caption", name);
  FView.AppendTab(name);
}

void MainController::miRenameClick() {
  const int index = FView.SelectedTab();
  std::string name = FView.TabCaption(index);
  if (FView.AskSetName(LoadText(TextId::NewNameFor) + " \"" + name + "\"", name))
    FView.SetTabCaption(index, name);
}

void MainController::aDeleteSetExecute() {
  if (!FView.AskYesNo(LoadText(TextId::DeleteQuestion)))
    return;
  if (FView.TabCount() == 1) {
    FView.ShowMessage(LoadText(TextId::LastSetUndeletable));
    return;
  }
  const int deleted = FView.SelectedTab();
  const int countAfter = FView.TabCount() - 1;
  // The file first: when its rewrite fails, the window still matches it.
  // The deleted set's own changes go with it, unsaved.
  EraseSetSection(FFile, deleted, countAfter);
  FView.DeleteTab(deleted);
  // The set now at the deleted position (renumbered), or the first one.
  const int shown = deleted < countAfter ? deleted : 0;
  FView.SelectTab(shown);
  ShowSet(shown);
}

void MainController::ShowSettingsfile1Click() {
  const std::string path = FSettingsFolder + std::string(kSettingsFileName);
  if (FView.AskYesNo(path + "\r\n\r\n" + LoadText(TextId::SettingsFileNote)))
    FShell.Open("Open", FSettingsFolder);
}

void MainController::aHelpExecute() { FShell.Open("Open", LoadText(TextId::HelpPageAddress)); }

void MainController::Image2Click() {
  // Without a page of the maker's, the logo shows who made the program.
  const std::string address = LoadText(TextId::HomePageAddress);
  if (IsBlank(address))
    FView.ShowAboutDialog();
  else
    FShell.Open("Open", address);
}

void MainController::lUpdateClick() {
  const std::string address = LoadText(TextId::UpdatePageAddress);
  if (!IsBlank(address))
    FShell.Open("open", address);
}

void MainController::miSetingsClick() { FView.ShowOptionsDialog(FOptions, WindowOptions()); }

void MainController::miAboutClick() { FView.ShowAboutDialog(); }

} // namespace quorvin

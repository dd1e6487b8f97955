#pragma once
// The main window as its controller sees it: the set page's controls as
// plain values, the tabs, the adapter and printer boxes, and the window's
// messages and dialogs. The window implements it over its controls and
// decides nothing; tests implement it in memory.

#include "app/ActivateOutcome.h"
#include "app/KeepQuestion.h"
#include "base/NetworkSignature.h"
#include "store/SetNetwork.h"
#include "store/Settings.h"
#include "switching/SwitchThread.h"

#include <functional>
#include <string>
#include <vector>

namespace quorvin {

// The controls of the set page that hold a value or take an enabled state,
// named as the window names them.
enum class PageControl {
  // tick boxes and radio buttons
  cbEnableIP, rbAutoIP, rbUseIP,
  cbDnsServer, rbAutoDnsServer, rbUseDnsServer,
  cbProxyServer, cbUseProxyServer,
  cbComputerName, cbWorkgroup, cbDefaultPrinter, cbDnsDomain, cbWinsServer,
  // edits with a text
  reIP, reSubnetMask, reGateway,
  rePreferredDns, reAlternateDns,
  eProxyAddress, eProxyPort,
  eComputerName, eWorkgroup, cbPrinter, eDnsDomain,
  rePrimaryWins, reSecondaryWins,
  // labels
  lIPAddress, lSubnetMask, lGateway,
  lPreferredDns, lAlternateDns,
  lProxyAddress, lProxyPort,
};

// The eight item tick boxes in the order a switch applies them.
inline constexpr PageControl kItemTickBoxes[kSwitchItemCount] = {
    PageControl::cbEnableIP,     PageControl::cbDnsServer,    PageControl::cbProxyServer,
    PageControl::cbComputerName, PageControl::cbWorkgroup,    PageControl::cbDefaultPrinter,
    PageControl::cbDnsDomain,    PageControl::cbWinsServer,
};

class MainView {
public:
  virtual ~MainView() = default;

  // Tick boxes and radio buttons. Setting one changes only that control: a
  // radio button does not clear its partner by itself.
  virtual bool IsChecked(PageControl control) = 0;
  virtual void SetChecked(PageControl control, bool checked) = 0;
  // Edits, IP address edits and the printer box: the text as it stands
  // (dotted quad for the IP address edits).
  virtual std::string GetText(PageControl control) = 0;
  virtual void SetText(PageControl control, const std::string& text) = 0;
  virtual void SetEnabled(PageControl control, bool enabled) = 0;
  // A tick box's caption as the window shows it.
  virtual std::string GetCaption(PageControl control) = 0;
  // Ends the edit of the focused field, so that its own corrections (an
  // octet over 255) have run before its text is read.
  virtual void EndFieldEdit() = 0;

  // The tabs. Selecting a tab from here does not report a tab change.
  virtual int TabCount() = 0;
  virtual std::string TabCaption(int index) = 0;
  virtual void SetTabCaption(int index, const std::string& caption) = 0;
  virtual void AppendTab(const std::string& caption) = 0;
  virtual void DeleteTab(int index) = 0;
  virtual int SelectedTab() = 0;
  virtual void SelectTab(int index) = 0;

  // The adapter box: its entries replace the old ones and none is chosen.
  virtual void SetAdapterEntries(const std::vector<std::string>& entries) = 0;
  // The chosen entry, -1 for none.
  virtual int AdapterIndex() = 0;
  virtual void SetAdapterIndex(int index) = 0;
  // Widths in pixels: the closed box, a text in the box's font, the list.
  virtual int AdapterBoxWidth() = 0;
  virtual int AdapterTextWidth(const std::string& text) = 0;
  virtual void SetAdapterListWidth(int width) = 0;
  // Pixels at the window's DPI for a length given at 96 DPI.
  virtual int ScaleToDpi(int pixels) = 0;

  // The printer box's list; its text stays as it is.
  virtual void SetPrinterList(const std::vector<std::string>& printers) = 0;

  virtual void SetCaption(const std::string& caption) = 0;
  // Redrawing of the whole window stops until it is resumed.
  virtual void SuspendRedraw(bool suspend) = 0;
  virtual void SetBusyCursor(bool busy) = 0;
  // While waiting for a switch: the window takes no input and shows the
  // hourglass; afterwards the focus is where it was.
  virtual void SetWaiting(bool waiting) = 0;

  // An information box with OK.
  virtual void ShowMessage(const std::string& text) = 0;
  // A question with Yes and No, No the default; true for Yes.
  virtual bool AskYesNo(const std::string& text) = 0;
  // The ask dialog with its "Don't ask me next time" (which changes
  // options); true for Yes.
  virtual bool AskWithDialog(const std::string& question, TOptionsSetting& options) = 0;
  // The rename dialog titled caption; true for OK, name then holds the text.
  virtual bool AskSetName(const std::string& caption, std::string& name) = 0;
  virtual void ShowOptionsDialog(TOptionsSetting& options, const TWindowOptions& window) = 0;
  virtual void ShowAboutDialog() = 0;
  // The Network dialog over the shown set's network; true for OK, network
  // then holding what was entered. useCurrent tells what the set's adapter
  // sees now (all empty when no adapter is chosen).
  virtual bool EditSetNetwork(TSetNetwork& network, const TCurrentNetwork& useCurrent) = 0;
  // "Keep these network settings?" counting down seconds, with whether the
  // gateway (when one is given) answers; Revert when the time runs out or
  // the question is closed.
  virtual TKeepAnswer AskToKeep(int seconds, const std::string& gateway) = 0;
};

// How the progress dialog closes by itself.
struct TSwitchRunOptions {
  bool AutoCloseDialog = false;
  bool CommandLineRun = false;
};

// Runs the progress dialog of one switch.
class SwitchRunner {
public:
  virtual ~SwitchRunner() = default;
  // A switch whose dialog was closed may still be running: then calls
  // whileWaiting once and handles the window's messages until every
  // earlier switch has ended.
  virtual void WaitForEarlierSwitches(const std::function<void()>& whileWaiting) = 0;
  // Shows the progress dialog modally; the switch works on input. Says how
  // the run ended (never Refused).
  virtual TActivateOutcome RunSwitch(const TSwitchInput& input, const TSwitchRunOptions& options) = 0;
};

} // namespace quorvin

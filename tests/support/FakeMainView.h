#pragma once
// The main window in memory for the controller's tests: controls as maps,
// tabs as a list, dialogs answered from queues, and a record of what the
// controller asked the window to show; and a switch runner that records the
// runs it is asked for.

#include "app/MainView.h"

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quorvin::test {

class FakeMainView final : public MainView {
public:
  FakeMainView() {
    for (int i = 1; i <= 5; ++i)
      Tabs.push_back("SET" + std::to_string(i));
    // The design state: both fixed choices selected.
    Checked[PageControl::rbUseIP] = Checked[PageControl::rbUseDnsServer] = true;
  }

  bool IsChecked(PageControl control) override { return Checked[control]; }
  void SetChecked(PageControl control, bool checked) override { Checked[control] = checked; }
  std::string GetText(PageControl control) override { return Texts[control]; }
  void SetText(PageControl control, const std::string& text) override {
    Texts[control] = text;
    Corrections.erase(control);
  }
  void SetEnabled(PageControl control, bool enabled) override { Disabled[control] = !enabled; }
  bool IsEnabled(PageControl control) { return !Disabled[control]; }
  std::string GetCaption(PageControl control) override { return "caption " + std::to_string(int(control)); }
  void EndFieldEdit() override {
    for (auto& [control, text] : Corrections)
      Texts[control] = text;
    Corrections.clear();
  }

  int TabCount() override { return static_cast<int>(Tabs.size()); }
  std::string TabCaption(int index) override { return Tabs.at(static_cast<std::size_t>(index)); }
  void SetTabCaption(int index, const std::string& caption) override {
    Tabs.at(static_cast<std::size_t>(index)) = caption;
  }
  void AppendTab(const std::string& caption) override { Tabs.push_back(caption); }
  void DeleteTab(int index) override {
    Tabs.erase(Tabs.begin() + index);
    // As the tab control does: the selection follows its tab, and is lost
    // with it.
    if (index == Selected)
      Selected = -1;
    else if (index < Selected)
      --Selected;
  }
  int SelectedTab() override { return Selected; }
  void SelectTab(int index) override { Selected = index; }

  void SetAdapterEntries(const std::vector<std::string>& entries) override {
    AdapterEntries = entries;
    Adapter = -1;
  }
  int AdapterIndex() override { return Adapter; }
  void SetAdapterIndex(int index) override {
    Adapter = index >= 0 && index < static_cast<int>(AdapterEntries.size()) ? index : -1;
  }
  int AdapterBoxWidth() override { return BoxWidth; }
  // One pixel per character.
  int AdapterTextWidth(const std::string& text) override { return static_cast<int>(text.size()); }
  void SetAdapterListWidth(int width) override { ListWidth = width; }
  int ScaleToDpi(int pixels) override { return pixels * Dpi / 96; }

  void SetPrinterList(const std::vector<std::string>& printers) override { PrinterList = printers; }
  void SetCaption(const std::string& caption) override { Caption = caption; }
  void SuspendRedraw(bool suspend) override { RedrawSuspended += suspend ? 1 : -1; }
  void SetBusyCursor(bool busy) override { Busy = busy; }
  void SetWaiting(bool waiting) override { Waiting = waiting; }

  void ShowMessage(const std::string& text) override { Messages.push_back(text); }
  TKeepAnswer AskToKeep(int seconds, const std::string& gateway) override {
    KeepQuestions.emplace_back(seconds, gateway);
    if (DuringKeepQuestion)
      DuringKeepQuestion();
    return Pop(KeepAnswers, TKeepAnswer::Revert);
  }
  bool AskYesNo(const std::string& text) override {
    Questions.push_back(text);
    return Pop(YesNoAnswers, false);
  }
  bool AskWithDialog(const std::string& question, TOptionsSetting& options) override {
    Questions.push_back(question);
    if (DontAskAgain)
      options.AskBeforeLoad = false;
    return Pop(AskAnswers, false);
  }
  bool AskSetName(const std::string& caption, std::string& name) override {
    NameDialogs.emplace_back(caption, name);
    const std::optional<std::string> answer = Pop(NameAnswers, std::optional<std::string>());
    if (answer)
      name = *answer;
    return answer.has_value();
  }
  void ShowOptionsDialog(TOptionsSetting&, const TWindowOptions& window) override {
    OptionsShownWith.push_back(window);
  }
  void ShowAboutDialog() override { ++AboutShown; }
  bool EditSetNetwork(TSetNetwork& network, const TCurrentNetwork& useCurrent) override {
    NetworkShown.push_back(network);
    CurrentNetworks.push_back(useCurrent());
    const std::optional<TSetNetwork> answer = Pop(NetworkAnswers, std::optional<TSetNetwork>());
    if (answer)
      network = *answer;
    return answer.has_value();
  }

  std::map<PageControl, bool> Checked;
  std::map<PageControl, std::string> Texts;
  std::map<PageControl, bool> Disabled;
  // Texts that a field shows once its edit ends (an octet over 255).
  std::map<PageControl, std::string> Corrections;
  std::vector<std::string> Tabs;
  int Selected = 0;
  std::vector<std::string> AdapterEntries;
  int Adapter = -1;
  int BoxWidth = 100;
  int ListWidth = 0;
  int Dpi = 96;
  std::vector<std::string> PrinterList;
  std::string Caption;
  int RedrawSuspended = 0;
  bool Busy = false;
  bool Waiting = false;
  std::vector<std::string> Messages;
  std::vector<std::string> Questions;
  std::deque<bool> YesNoAnswers;
  std::deque<bool> AskAnswers;
  std::deque<TKeepAnswer> KeepAnswers; // none left: the time ran out
  std::vector<std::pair<int, std::string>> KeepQuestions;
  std::function<void()> DuringKeepQuestion;
  bool DontAskAgain = false;
  std::deque<std::optional<std::string>> NameAnswers; // nothing: Cancel
  std::vector<std::pair<std::string, std::string>> NameDialogs;
  std::vector<TWindowOptions> OptionsShownWith;
  int AboutShown = 0;
  std::deque<std::optional<TSetNetwork>> NetworkAnswers; // nothing: Cancel
  std::vector<TSetNetwork> NetworkShown;
  // What "Use Current Network" got, once per dialog.
  std::vector<std::optional<TNetworkSignature>> CurrentNetworks;

private:
  template <typename T> static T Pop(std::deque<T>& answers, T otherwise) {
    if (answers.empty())
      return otherwise;
    T answer = std::move(answers.front());
    answers.pop_front();
    return answer;
  }
};

class FakeSwitchRunner final : public SwitchRunner {
public:
  void WaitForEarlierSwitches(const std::function<void()>& whileWaiting) override {
    if (!Running)
      return;
    whileWaiting();
    BusyWhileWaiting = View && View->Waiting;
    if (DuringWait)
      DuringWait();
    Running = false;
  }
  TActivateOutcome RunSwitch(const TSwitchInput& input, const TSwitchRunOptions& options) override {
    Runs.push_back(input);
    RunOptions.push_back(options);
    if (DuringRun)
      DuringRun();
    return Outcome;
  }

  FakeMainView* View = nullptr;
  bool Running = false;
  bool BusyWhileWaiting = false;
  std::function<void()> DuringWait;
  // What the switch does to the machine.
  std::function<void()> DuringRun;
  std::vector<TSwitchInput> Runs;
  std::vector<TSwitchRunOptions> RunOptions;
  // What each run reports.
  TActivateOutcome Outcome{TActivateEnd::Applied, {}};
};

} // namespace quorvin::test

// The small dialogs driven inside their own modal loops: a thread timer
// runs one step of a script on each tick. Timer messages come only when the
// queue is empty, so the input a step posts has been handled by the next one.

#include "app/OptionsForm.h"
#include "app/ShellPort.h"
#include "app/win32/Dialogs.h"
#include "app/win32/KeepDialog.h"
#include "app/win32/resource.h"

#include "store/win32/Win32ProfileFile.h"
#include "support/RecordingShell.h"
#include "support/TempFolder.h"
#include "support/win32/ThreadWindowTimer.h"
#include "system/AutoStart.h"
#include "system/sim/InMemoryGatewayProbe.h"
#include "system/sim/InMemoryHost.h"
#include "system/sim/InMemoryRegistry.h"
#include "system/sim/InMemoryTaskScheduler.h"
#include "system/win32/Win32Registry.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <set>
#include <vector>

namespace quorvin {
namespace {

using Step = std::function<void(HWND)>;

// Steps run in order, each on a tick that finds the shown window holding
// controlId; the last one must close the dialog.
class ScriptRun {
public:
  ScriptRun(int controlId, std::vector<Step> steps)
      : FControlId(controlId), FSteps(std::move(steps)),
        FTimer(
            [this](HWND window) {
              return FNext < FSteps.size() && ::IsWindowVisible(window) && ::GetDlgItem(window, FControlId);
            },
            [this](HWND window) { FSteps[FNext++](window); }) {}
  std::size_t StepsRun() const { return FNext; }

private:
  int FControlId;
  std::vector<Step> FSteps;
  std::size_t FNext = 0;
  test::ThreadWindowTimer FTimer;
};

std::string Text(HWND window) {
  char buffer[512];
  const int length = ::GetWindowTextA(window, buffer, sizeof buffer);
  return std::string(buffer, length > 0 ? length : 0);
}

void PostKey(HWND target, WPARAM key, UINT message = WM_KEYDOWN) { ::PostMessageA(target, message, key, 1); }
void Click(HWND dialog, int id) { ::PostMessageA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
bool Checked(HWND dialog, int id) { return ::IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

// --- TfrmRename ---

struct RenameCase {
  const char* Name;
  UINT KeyMessage;
};

TEST(RenameDialogWin32, EnterInTheNameConfirmsWithAnyShiftState) {
  for (const RenameCase c : {RenameCase{"Enter", WM_KEYDOWN}, RenameCase{"Alt+Enter", WM_SYSKEYDOWN}}) {
    std::string name = "SET6";
    DWORD selStart = 99, selEnd = 99;
    HWND focus = nullptr, edit = nullptr;
    std::string caption, label;
    ScriptRun run(IDC_ENAME, {[&](HWND dialog) {
      edit = ::GetDlgItem(dialog, IDC_ENAME);
      focus = ::GetFocus();
      caption = Text(dialog);
      label = Text(::GetDlgItem(dialog, IDC_RENAME_LABEL1));
      ::SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&selStart), reinterpret_cast<LPARAM>(&selEnd));
      ::SetWindowTextA(edit, "Lab");
      PostKey(edit, VK_RETURN, c.KeyMessage);
    }});
    EXPECT_EQ(ShowRenameDialog(nullptr, "New Set", name), 1) << c.Name;
    EXPECT_EQ(name, "Lab") << c.Name;
    EXPECT_EQ(focus, edit);
    EXPECT_EQ(caption, "New Set");
    EXPECT_EQ(label, "Please enter a new name");
    EXPECT_EQ(selStart, 0u) << "the old name is selected";
    EXPECT_EQ(selEnd, 4u);
  }
}

TEST(RenameDialogWin32, EscapeClosesNothingAndAnEmptyNameIsAccepted) {
  std::string name = "Office";
  bool openAfterEscape = false;
  ScriptRun run(IDC_ENAME, {[&](HWND dialog) { PostKey(::GetDlgItem(dialog, IDC_ENAME), VK_ESCAPE); },
                            [&](HWND dialog) {
                              openAfterEscape = true;
                              ::SetDlgItemTextA(dialog, IDC_ENAME, "");
                              Click(dialog, IDC_RENAME_BOK);
                            }});
  EXPECT_EQ(ShowRenameDialog(nullptr, "New Name for \"Office\"", name), 1);
  EXPECT_TRUE(openAfterEscape);
  EXPECT_EQ(name, "");
}

TEST(RenameDialogWin32, CancelAndTheCloseBoxKeepTheName) {
  for (const bool closeBox : {false, true}) {
    std::string name = "Office";
    ScriptRun run(IDC_ENAME, {[&](HWND dialog) {
      ::SetDlgItemTextA(dialog, IDC_ENAME, "Changed");
      if (closeBox)
        ::PostMessageA(dialog, WM_CLOSE, 0, 0);
      else
        Click(dialog, IDC_RENAME_BCANCEL);
    }});
    EXPECT_EQ(ShowRenameDialog(nullptr, "x", name), 2);
    EXPECT_EQ(name, "Office");
  }
}

// --- TfrmAskExit ---

struct AskCase {
  const char* Question;
  int BoxClicks;
  int Button; // pressed with Enter after moving the focus to it
  INT_PTR Result;
  bool AskBeforeLoad, AskBeforeExit;
};

class AskDialogWin32 : public ::testing::TestWithParam<AskCase> {};

TEST_P(AskDialogWin32, NoHasTheFocusAndTheBoxSwitchesTheQuestionsOption) {
  const AskCase& c = GetParam();
  TOptionsSetting options;
  HWND focus = nullptr, no = nullptr;
  bool tickedAtOpen = true, openAfterEscape = false;
  std::string label;
  ScriptRun run(IDC_CBASK, {[&](HWND dialog) {
                              no = ::GetDlgItem(dialog, IDC_ASK_BCANCEL);
                              focus = ::GetFocus();
                              tickedAtOpen = Checked(dialog, IDC_CBASK);
                              label = Text(::GetDlgItem(dialog, IDC_ASK_LABEL1));
                              for (int i = 0; i < c.BoxClicks; ++i)
                                Click(dialog, IDC_CBASK);
                              PostKey(::GetDlgItem(dialog, IDC_CBASK), VK_ESCAPE);
                              PostKey(::GetDlgItem(dialog, IDC_CBASK), VK_RETURN);
                            },
                            [&](HWND dialog) {
                              openAfterEscape = true;
                              ::SetFocus(::GetDlgItem(dialog, c.Button));
                              PostKey(::GetDlgItem(dialog, c.Button), VK_RETURN);
                            }});
  EXPECT_EQ(ShowAskDialog(nullptr, c.Question, options), c.Result);
  EXPECT_EQ(focus, no);
  EXPECT_FALSE(tickedAtOpen);
  EXPECT_EQ(label, c.Question);
  EXPECT_TRUE(openAfterEscape) << "neither Escape nor Enter on the box closed the dialog";
  EXPECT_EQ(options.AskBeforeLoad, c.AskBeforeLoad);
  EXPECT_EQ(options.AskBeforeExit, c.AskBeforeExit);
}

INSTANTIATE_TEST_SUITE_P(
    Questions, AskDialogWin32,
    ::testing::Values(AskCase{"Are you sure you want to exit the program?", 1, IDC_ASK_BCANCEL, 7, true, false},
                      AskCase{"Are you sure you want to load the current settings?", 1, IDC_ASK_BOK, 6, false,
                              true},
                      AskCase{"Are you sure you want to exit the program?", 2, IDC_ASK_BOK, 6, true, true}));

TEST(AskDialogWin32Close, CloseBoxGivesCancel) {
  TOptionsSetting options;
  ScriptRun run(IDC_CBASK, {[&](HWND dialog) { ::PostMessageA(dialog, WM_CLOSE, 0, 0); }});
  EXPECT_EQ(ShowAskDialog(nullptr, "Are you sure you want to exit the program?", options), 2);
}

// --- TfrmOptions ---

constexpr const char* kFakeExecutable = "C:\\nowhere\\Quorvin.exe";

// The Run value of an earlier version, in either registry view.
std::string RunValue(bool wow64) {
  char buffer[512] = {};
  DWORD size = sizeof buffer;
  const std::string path(RunKeyPath(wow64));
  if (::RegGetValueA(HKEY_LOCAL_MACHINE, path.c_str(), "Quorvin 3.5", RRF_RT_REG_SZ, nullptr, buffer, &size) !=
      ERROR_SUCCESS)
    return "(none)";
  return buffer;
}

bool WriteRunValue(bool wow64, const std::string& text) {
  const std::string path(RunKeyPath(wow64));
  return ::RegSetKeyValueA(HKEY_LOCAL_MACHINE, path.c_str(), "Quorvin 3.5", REG_SZ, text.c_str(),
                           static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

// The prefix's own Run keys: the value must not outlive the test, or the
// next boot of the prefix would try to start it.
class RunValueGuard {
public:
  RunValueGuard() { Remove(); }
  ~RunValueGuard() { Remove(); }
  static void Remove() {
    for (const bool wow64 : {false, true}) {
      HKEY key = nullptr;
      const std::string path(RunKeyPath(wow64));
      if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        ::RegDeleteValueA(key, "Quorvin 3.5");
        ::RegCloseKey(key);
      }
    }
  }
};

TOptionsChecks ChecksOf(HWND dialog) {
  return {Checked(dialog, IDC_CBAUTOSTART), Checked(dialog, IDC_CBAUTOCLOSEDIALOG), Checked(dialog, IDC_CBASKLOAD),
          Checked(dialog, IDC_CBASKEXIT), Checked(dialog, IDC_CBSWITCHAUTOMATICALLY)};
}

// Tasks in memory: Wine's scheduler does not keep a task's program (see
// TaskSchedulerWin32Test), so the box could never show the start as on.
SystemServices MakeServices(std::unique_ptr<Registry> registry,
                            std::unique_ptr<TaskScheduler> tasks = std::make_unique<InMemoryTaskScheduler>()) {
  auto host = std::make_unique<InMemoryHost>();
  host->ExecutablePathValue = kFakeExecutable;
  return SystemServices(std::move(registry), nullptr, std::move(host), std::move(tasks));
}

std::string RegisteredProgram(SystemServices& services) {
  return TaskProgram(services.Tasks().TaskXml("Quorvin").value_or("(none)"));
}

// The machine's registry, where an earlier version's Run values go.
TEST(OptionsDialogWin32, RoundTripThroughTheTaskAndTheSettingsFile) {
  RunValueGuard guard;
  for (const bool wow64 : {false, true})
    ASSERT_TRUE(WriteRunValue(wow64, "C:\\Quorvin\\Quorvin.exe -Start")) << wow64;
  test::TempFolder folder;
  Win32ProfileFile file(folder.File("data.ini"));
  SystemServices services = MakeServices(std::make_unique<Win32Registry>());
  TOptionsSetting options;
  TWindowOptions window{2, {"A", "B", "C", "D"}};

  TOptionsChecks shown;
  std::string caption;
  bool openAfterKeys = false;
  TKeepChoice keepShown;
  const auto keepOf = [](HWND dialog) {
    return TKeepChoice{static_cast<TKeepQuestion>(::SendDlgItemMessageA(dialog, IDC_CBKEEPQUESTION, CB_GETCURSEL, 0, 0)),
                       Text(::GetDlgItem(dialog, IDC_EKEEPSECONDS))};
  };
  ScriptRun first(IDC_CBAUTOSTART, {[&](HWND dialog) {
                                      shown = ChecksOf(dialog);
                                      caption = Text(dialog);
                                      keepShown = keepOf(dialog);
                                      // The focus is on a box: Enter and Escape press nothing.
                                      PostKey(::GetFocus(), VK_RETURN);
                                      PostKey(::GetFocus(), VK_ESCAPE);
                                    },
                                    [&](HWND dialog) {
                                      openAfterKeys = true;
                                      Click(dialog, IDC_CBAUTOSTART);
                                      Click(dialog, IDC_CBASKEXIT);
                                      Click(dialog, IDC_CBSWITCHAUTOMATICALLY);
                                      ::SendDlgItemMessageA(dialog, IDC_CBKEEPQUESTION, CB_SETCURSEL, 0, 0);
                                      ::SetDlgItemTextA(dialog, IDC_EKEEPSECONDS, "45");
                                      Click(dialog, IDC_OPTIONS_BOK);
                                    }});
  EXPECT_EQ(ShowOptionsDialog(nullptr, options, window, file, services), 1);
  EXPECT_EQ(caption, "Quorvin 3.5");
  EXPECT_EQ(shown, (TOptionsChecks{false, false, true, true, true}));
  EXPECT_TRUE(openAfterKeys);
  EXPECT_EQ(RegisteredProgram(services), kFakeExecutable);
  EXPECT_EQ(RunValue(false), "(none)");
  EXPECT_EQ(RunValue(true), "(none)");
  EXPECT_FALSE(options.AskBeforeExit);
  EXPECT_EQ(file.ReadString("Options", "AskBeforeExit", "?"), "0");
  EXPECT_EQ(file.ReadString("Options", "AskBeforeLoad", "?"), "1");
  EXPECT_EQ(file.ReadString("Options", "DefaultTab", "?"), "2");
  EXPECT_EQ(file.ReadString("Options", "TabCount", "?"), "4");
  EXPECT_EQ(keepShown, (TKeepChoice{TKeepQuestion::Never, "20"}));
  EXPECT_EQ(file.ReadString("Options", "AskToKeep", "?"), "2");
  EXPECT_EQ(file.ReadString("Options", "KeepSeconds", "?"), "45");

  TOptionsSetting reloaded;
  TWindowOptions reloadedWindow;
  LoadOrSaveOptions(true, file, reloaded, reloadedWindow);
  ScriptRun second(IDC_CBAUTOSTART, {[&](HWND dialog) {
                                       shown = ChecksOf(dialog);
                                       keepShown = keepOf(dialog);
                                       Click(dialog, IDC_CBAUTOSTART);
                                       Click(dialog, IDC_OPTIONS_BOK);
                                     }});
  EXPECT_EQ(ShowOptionsDialog(nullptr, reloaded, reloadedWindow, file, services), 1);
  EXPECT_EQ(shown, (TOptionsChecks{true, false, true, false, false}));
  EXPECT_EQ(keepShown, (TKeepChoice{TKeepQuestion::Always, "45"}));
  EXPECT_FALSE(services.Tasks().TaskXml("Quorvin"));
}

BOOL CALLBACK CollectTexts(HWND child, LPARAM texts) {
  *reinterpret_cast<std::string*>(texts) += Text(child) + "|";
  return TRUE;
}

TEST(OptionsDialogWin32, RefusedAutoStartShowsTheErrorAndStaysOpen) {
  test::TempFolder folder;
  Win32ProfileFile file(folder.File("data.ini"));
  auto tasks = std::make_unique<InMemoryTaskScheduler>();
  tasks->RefusesChanges = true;
  SystemServices services = MakeServices(std::make_unique<InMemoryRegistry>(), std::move(tasks));
  TOptionsSetting options;
  TWindowOptions window{0, {"A"}};
  HWND optionsDialog = nullptr;
  std::string boxTexts, boxCaption;
  bool stayedOpen = false;

  ScriptRun run(IDC_CBAUTOSTART, {[&](HWND dialog) {
    optionsDialog = dialog;
    Click(dialog, IDC_CBAUTOSTART);
    Click(dialog, IDC_CBAUTOCLOSEDIALOG);
    Click(dialog, IDC_OPTIONS_BOK);
  }});
  // The error box is found by its owner, the options dialog.
  static std::function<void()> onTick;
  onTick = [&] {
    HWND box = ::GetWindow(::GetDesktopWindow(), GW_CHILD);
    for (; box; box = ::GetWindow(box, GW_HWNDNEXT))
      if (optionsDialog && ::GetWindow(box, GW_OWNER) == optionsDialog && ::IsWindowVisible(box))
        break;
    if (box && boxTexts.empty()) {
      boxCaption = Text(box);
      ::EnumChildWindows(box, CollectTexts, reinterpret_cast<LPARAM>(&boxTexts));
      ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    } else if (!box && !boxTexts.empty() && !stayedOpen && ::IsWindow(optionsDialog)) {
      stayedOpen = true;
      EXPECT_TRUE(options.AutoCloseDialog) << "copied before the failed step";
      Click(optionsDialog, IDC_OPTIONS_BCANCEL);
    }
  };
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR, DWORD) { onTick(); });
  const INT_PTR result = ShowOptionsDialog(nullptr, options, window, file, services);
  ::KillTimer(nullptr, timer);
  onTick = nullptr;
  EXPECT_EQ(result, 2);
  EXPECT_EQ(boxCaption, "Quorvin");
  EXPECT_NE(boxTexts.find("Failed to set data for 'Quorvin'"), std::string::npos) << boxTexts;
  EXPECT_TRUE(stayedOpen);
  EXPECT_TRUE(options.AutoCloseDialog);
  EXPECT_FALSE(file.Exists()) << "nothing saved";
}

// --- TfrmAbout ---

TEST(AboutDialogWin32, ShowsTheProductAndOpensThePageFromTheLink) {
  test::RecordingShell shell;
  std::vector<std::string> texts;
  decltype(shell.Opened) openedAfterClick;
  bool hasIcon = false, handCursor = false;
  COLORREF linkColour = 0;
  ScriptRun run(IDC_LBEADDRESS, {[&](HWND dialog) {
                                   for (int id : {IDC_ABOUT_LABEL1, IDC_ABOUT_LABEL2, IDC_LCOPYWRITE, IDC_ABOUT_LABEL3,
                                                  IDC_LBEADDRESS})
                                     texts.push_back(Text(::GetDlgItem(dialog, id)));
                                   hasIcon = ::SendDlgItemMessageA(dialog, IDC_ABOUT_IMAGE1, STM_GETICON, 0, 0) != 0;
                                   HWND link = ::GetDlgItem(dialog, IDC_LBEADDRESS);
                                   ::SendMessageA(dialog, WM_SETCURSOR, reinterpret_cast<WPARAM>(link),
                                                  MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
                                   handCursor = ::GetCursor() == ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32649));
                                   HDC dc = ::GetDC(link);
                                   ::SendMessageA(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                  reinterpret_cast<LPARAM>(link));
                                   linkColour = ::GetTextColor(dc);
                                   ::ReleaseDC(link, dc);
                                   ::PostMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
                                   ::PostMessageA(link, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
                                   PostKey(::GetFocus(), VK_ESCAPE);
                                 },
                                 [&](HWND dialog) {
                                   openedAfterClick = shell.Opened;
                                   PostKey(::GetDlgItem(dialog, IDC_ABOUT_BOK), VK_RETURN); // OK has the focus
                                 }});
  EXPECT_EQ(ShowAboutDialog(nullptr, shell), 1);
  EXPECT_EQ(run.StepsRun(), 2u) << "Escape closed the about box";
  EXPECT_EQ(texts, (std::vector<std::string>{"Quorvin 3.5", "Version: 3.5   Build 20220502",
                                             "Copyright (C) 2004-2022 Corvane Software",
                                             "Email: support@corvane.example", "www.corvane.example"}));
  EXPECT_TRUE(hasIcon);
  EXPECT_TRUE(handCursor);
  EXPECT_EQ(linkColour, RGB(0, 0, 255));
  EXPECT_EQ(openedAfterClick, (decltype(shell.Opened){{"Open", "help.html"}}));
}

// --- The question to keep new network settings ---

// Runs act on each tick of a thread timer while the keep dialog is shown.
TKeepAnswer ShowKeepDialogWith(int seconds, const std::string& gateway, GatewayProbe& probe,
                               std::function<void(HWND)> act) {
  const test::ThreadWindowTimer timer(
      [](HWND window) { return ::IsWindowVisible(window) && ::GetDlgItem(window, IDC_KEEP_BKEEP); }, std::move(act));
  return ShowKeepDialog(nullptr, seconds, gateway, probe);
}

// Enter on the focused Keep button, once the probing thread's answer shows.
TEST(KeepDialogWin32, KeepIsFocusedAndKeepsOnceTheGatewayAnswerShows) {
  InMemoryGatewayProbe probe;
  probe.SetAnswering({"10.0.0.1"});
  std::string caption, question, countdown, gateway;
  bool keepFocused = false, topMost = false;
  const TKeepAnswer answer = ShowKeepDialogWith(300, "10.0.0.1", probe, [&](HWND dialog) {
    if (!dialog || !gateway.empty())
      return;
    if (caption.empty()) {
      caption = Text(dialog);
      question = Text(::GetDlgItem(dialog, IDC_KEEP_LQUESTION));
      countdown = Text(::GetDlgItem(dialog, IDC_KEEP_LCOUNTDOWN));
      keepFocused = ::GetFocus() == ::GetDlgItem(dialog, IDC_KEEP_BKEEP);
      topMost = (::GetWindowLongPtrA(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    }
    gateway = Text(::GetDlgItem(dialog, IDC_KEEP_LGATEWAY));
    if (!gateway.empty())
      PostKey(::GetFocus(), VK_RETURN);
  });
  EXPECT_EQ(answer, TKeepAnswer::Keep);
  EXPECT_EQ(caption, "Quorvin");
  EXPECT_EQ(question, "Keep these network settings?");
  EXPECT_EQ(countdown, "Reverting in 300 seconds.");
  EXPECT_TRUE(keepFocused);
  EXPECT_TRUE(topMost);
  EXPECT_EQ(gateway, "Gateway 10.0.0.1 answers.");
}

// Nobody answers: the dialog counts down to zero and reverts by itself.
TEST(KeepDialogWin32, TheCountdownReachingZeroReverts) {
  InMemoryGatewayProbe probe;
  std::set<std::string> countdowns, gateways;
  const TKeepAnswer answer = ShowKeepDialogWith(2, "10.0.0.2", probe, [&](HWND dialog) {
    if (dialog) {
      countdowns.insert(Text(::GetDlgItem(dialog, IDC_KEEP_LCOUNTDOWN)));
      gateways.insert(Text(::GetDlgItem(dialog, IDC_KEEP_LGATEWAY)));
    }
  });
  EXPECT_EQ(answer, TKeepAnswer::Revert);
  EXPECT_EQ(countdowns, (std::set<std::string>{"Reverting in 2 seconds.", "Reverting in 1 second."}));
  EXPECT_TRUE(gateways.count("Gateway 10.0.0.2 does not answer.")) << "the probe was asked";
}

struct RevertCase {
  const char* Name;
  std::function<void(HWND)> Answer;
};

TEST(KeepDialogWin32, RevertEscapeAndTheCloseBoxRevert) {
  const RevertCase cases[] = {
      {"Revert", [](HWND dialog) { Click(dialog, IDC_KEEP_BREVERT); }},
      {"Escape", [](HWND) { PostKey(::GetFocus(), VK_ESCAPE); }},
      {"close box", [](HWND dialog) { ::PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }},
  };
  InMemoryGatewayProbe probe;
  probe.SetAnswering({""});
  for (const RevertCase& c : cases) {
    SCOPED_TRACE(c.Name);
    std::string gateway = "?";
    bool answered = false;
    EXPECT_EQ(ShowKeepDialogWith(300, "", probe,
                                 [&](HWND dialog) {
                                   if (!dialog || answered)
                                     return;
                                   answered = true;
                                   gateway = Text(::GetDlgItem(dialog, IDC_KEEP_LGATEWAY));
                                   c.Answer(dialog);
                                 }),
              TKeepAnswer::Revert);
    EXPECT_EQ(gateway, "");
  }
}

// --- The network of a set ---

TEST(NetworkDialogWin32, ShowsTheSetsNetworkFillsTheCurrentOneAndOkReturnsIt) {
  TSetNetwork network{{"00-1B-21-4C-7A-10", "192.168.1.1", "corp.example", ""}, TAutoSwitch::Show};
  const TNetworkSignature current{"00:11:22:33:44:55", "10.0.0.1", "lab.example", "LabNet"};
  std::vector<std::string> texts; // the caption, the edits as shown, then as filled
  const auto collect = [&](HWND dialog) {
    for (int id : {IDC_EGATEWAYMAC, IDC_EGATEWAYADDRESS, IDC_EDNSSUFFIX, IDC_ESSID})
      texts.push_back(Text(::GetDlgItem(dialog, id)));
  };
  bool onlyShowChecked = false;
  ScriptRun run(IDC_ESSID, {[&](HWND dialog) {
                              texts.push_back(Text(dialog));
                              collect(dialog);
                              onlyShowChecked = Checked(dialog, IDC_RBONLYSHOW) && !Checked(dialog, IDC_RBASKFIRST);
                              Click(dialog, IDC_BUSECURRENTNETWORK);
                            },
                            [&](HWND dialog) {
                              collect(dialog);
                              ::SetDlgItemTextA(dialog, IDC_ESSID, " Guest ");
                              Click(dialog, IDC_RBAPPLYAUTOMATICALLY);
                              Click(dialog, IDC_NETWORK_BOK);
                            }});
  EXPECT_EQ(ShowNetworkDialog(nullptr, network, [&] { return std::optional(current); }), 1);
  EXPECT_TRUE(onlyShowChecked);
  EXPECT_EQ(texts, (std::vector<std::string>{"Network", "00-1B-21-4C-7A-10", "192.168.1.1", "corp.example", "",
                                             "00:11:22:33:44:55", "10.0.0.1", "lab.example", "LabNet"}));
  EXPECT_EQ(network, (TSetNetwork{{"00:11:22:33:44:55", "10.0.0.1", "lab.example", "Guest"}, TAutoSwitch::Apply}));
}

// --- Sizes and places ---

struct SizeCase {
  int ControlId;
  int Width, Height;
  std::function<INT_PTR(HWND)> Show;
};

TEST(SmallDialogsWin32, DesignedClientSizesCentredOnTheOwner) {
  test::RecordingShell shell;
  TOptionsSetting options;
  TWindowOptions window{0, {"A"}};
  test::TempFolder folder;
  Win32ProfileFile file(folder.File("data.ini"));
  SystemServices services = MakeServices(std::make_unique<InMemoryRegistry>());
  std::string name = "x";
  TSetNetwork network;
  const SizeCase cases[] = {
      {IDC_CBAUTOSTART, 323, 260, [&](HWND owner) { return ShowOptionsDialog(owner, options, window, file, services); }},
      {IDC_ENAME, 289, 135, [&](HWND owner) { return ShowRenameDialog(owner, "x", name); }},
      {IDC_CBASK, 301, 157, [&](HWND owner) { return ShowAskDialog(owner, "?", options); }},
      {IDC_LBEADDRESS, 360, 249, [&](HWND owner) { return ShowAboutDialog(owner, shell); }},
      {IDC_KEEP_BKEEP, 279, 137,
       [&](HWND owner) { return ShowKeepDialog(owner, 300, "", services.Probe()) == TKeepAnswer::Revert ? 2 : 1; }},
      {IDC_ESSID, 345, 299, [&](HWND owner) { return ShowNetworkDialog(owner, network, nullptr); }},
  };
  HWND owner = ::CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 100, 80, 700, 500, nullptr, nullptr,
                                 nullptr, nullptr);
  ASSERT_TRUE(owner);
  for (const SizeCase& c : cases) {
    RECT client{}, frame{}, units{0, 0, 4, 8};
    ScriptRun run(c.ControlId, {[&](HWND dialog) {
      ::GetClientRect(dialog, &client);
      ::GetWindowRect(dialog, &frame);
      ::MapDialogRect(dialog, &units);
      ::PostMessageA(dialog, WM_CLOSE, 0, 0);
    }});
    EXPECT_EQ(c.Show(owner), 2);
    // MS Sans Serif 8 at 96 DPI has base units 6 x 13; another font or DPI
    // scales the designed size with it.
    EXPECT_EQ(client.right, ::MulDiv(c.Width, units.right, 6)) << c.ControlId << " base " << units.right;
    EXPECT_EQ(client.bottom, ::MulDiv(c.Height, units.bottom, 13)) << c.ControlId << " base " << units.bottom;
    if (units.right == 6 && units.bottom == 13) {
      EXPECT_EQ(client.right, c.Width);
      EXPECT_EQ(client.bottom, c.Height);
    }
    EXPECT_NEAR((frame.left + frame.right) / 2, 100 + 350, 1) << c.ControlId;
    EXPECT_NEAR((frame.top + frame.bottom) / 2, 80 + 250, 1) << c.ControlId;
  }
  ::DestroyWindow(owner);
}

} // namespace
} // namespace quorvin

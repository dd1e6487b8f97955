#include "app/win32/QuorvinProgram.h"

#include "app/NetworkSwitcher.h"
#include "app/ProgramLifecycle.h"
#include "app/win32/AutoSwitching.h"
#include "app/win32/Dialogs.h"
#include "app/win32/InstanceHandOver.h"
#include "app/win32/NetworkChangeWatch.h"
#include "app/win32/StartingConsole.h"
#include "app/win32/TfrmMain.h"
#include "app/win32/TrayIcon.h"
#include "app/win32/Win32SwitchRunner.h"
#include "app/win32/resource.h"
#include "base/Texts.h"
#include "base/win32/HandleOwners.h"
#include "base/win32/WindowBase.h"
#include "store/win32/Win32ProfileFile.h"
#include "switching/SwitchEngine.h"
#include "switching/win32/MachineSwitchParts.h"
#include "system/AutoStart.h"
#include "system/sim/SimulatedNetwork.h"

#include <memory>

namespace quorvin {

namespace {

class TQuorvinProgram {
public:
  explicit TQuorvinProgram(std::string firstArgument);
  int Run();

private:
  bool Hook(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);
  bool ProgramMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);
  bool WindowMessage(UINT message, WPARAM wParam, INT_PTR& result);
  void FormShow();
  void MarkShown();
  void RestoreFromTray();
  void ShowTrayMenu();
  UniqueMenu BuildTrayMenu(const std::vector<std::string>& setCaptions);
  void aExitExecute();
  void ActivateAndExit();
  LRESULT TakeHandOver(HWND replyTo, const COPYDATASTRUCT& data);
  void RunHandOver();
  bool RunUnderWay();
  void Exit();
  void EndRun();
  void SaveState();

  // Members in the order of creation; destruction runs in reverse, so the
  // window goes first, then the engine waits for a running switch and
  // releases the services and COM last.
  SwitchEngine FEngine{MachineSwitchParts()};
  Win32SwitchRunner FRunner{FEngine.Threads()};
  std::unique_ptr<ShellPort> FShell = CreateShellPort();
  Win32ProfileFile FFile{GetSettingsPath()};
  TfrmMain FMain{FFile, FEngine.System(), *FShell, FRunner, GetSettingsFolder()};
  std::unique_ptr<TTrayIcon> FTray;
  NetworkSwitcher FSwitcher{FFile, FEngine.System()};
  std::unique_ptr<TAutoSwitching> FAutoSwitching;
  std::unique_ptr<TNetworkChangeWatch> FNetworkWatch;
  TProgramLifecycle FLife;
  bool FShown = false;
  bool FEnded = false;
  // An exit asked for while a switch ran: it happens once the message loop
  // has the thread again, when nothing of the run is on its stack.
  bool FExitDeferred = false;
  int FExitCode = kExitApplied;
  // A set handed over by a second start, taken and not yet applied: its tab
  // and the window that waits for the outcome.
  struct THandOverRequest {
    int Index;
    bool Undo;
    HWND ReplyTo;
  };
  std::optional<THandOverRequest> FHandOver;
};

TQuorvinProgram::TQuorvinProgram(std::string firstArgument) : FLife(std::move(firstArgument)) {}

int TQuorvinProgram::Run() {
  FMain.SetMessageHook(
      [this](UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) { return Hook(message, wParam, lParam, result); });
  FMain.Create(nullptr);
  HWND window = FMain.Handle();
  FRunner.SetOwner(window);
  auto icon = reinterpret_cast<HICON>(::SendMessageA(window, WM_GETICON, ICON_SMALL, 0));
  FTray = std::make_unique<TTrayIcon>(window, icon, LoadText(TextId::TrayTip));
  FTray->TrayIcon(true);
  FAutoSwitching = std::make_unique<TAutoSwitching>(
      window, *FTray, FMain.Controller(), FSwitcher, FEngine.System().Identity(),
      TAutoSwitchingHooks{[this](const std::function<void()>& call) { FMain.Run(call); },
                          [this] {
                            return !::IsWindowEnabled(FMain.Handle()) || RunUnderWay() || FExitDeferred ||
                                   FLife.CloseMode() == TCloseMode::Exiting;
                          },
                          [this] { ShowTrayMenu(); }});

  FormShow();
  ::ShowWindow(window, SW_SHOW);
  ::SetForegroundWindow(window);
  // As a dialog would: the focus on the first control that takes it.
  if (HWND first = ::GetNextDlgTabItem(window, nullptr, FALSE))
    ::SetFocus(first);
  MarkShown();
  ::PostMessageA(window, WM_OFFERREVERT, 0, 0);
  // The network the program starts on is a change like any other.
  if (!FMain.Controller().CommandLineRun()) {
    FNetworkWatch = std::make_unique<TNetworkChangeWatch>(window, WM_NETWORKCHANGED, SimulationFolder());
    ::PostMessageA(window, WM_NETWORKCHANGED, 0, 0);
  }

  MSG message;
  while (!FEnded && ::GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (!FMain.PreTranslateMessage(message)) {
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
    if (FExitDeferred && !FEnded) {
      FExitDeferred = false;
      EndRun();
    }
  }
  return FExitCode;
}

void TQuorvinProgram::MarkShown() {
  // Scripts that start the program (the end-to-end runs, the start-up
  // benchmark) learn from this line that the first show is done. Only a
  // file beside the executable names it, never the environment.
  const std::optional<std::string>& path = SimulationSettings().ReadyFile;
  if (!path)
    return;
  const UniqueHandle file =
      UniqueFileHandle(::CreateFileA(path->c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                     OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file)
    return;
  DWORD written = 0;
  ::WriteFile(file.get(), "shown\r\n", 7, &written, nullptr);
}

void TQuorvinProgram::FormShow() {
  MainController& controller = FMain.Controller();
  // A refused registry write is shown, and the window is still filled in:
  // a half-built window would help nobody.
  FMain.Run([this] {
    EnsureRegistryFlag(FEngine.System().GetRegistry(), "SYSTEM\\CurrentControlSet\\Control\\FileSystem", "LongPathsEnabled", 1);
    EnsureRegistryFlag(FEngine.System().GetRegistry(), "System\\CurrentControlSet\\Policies", "LongPathsEnabled", 1);
  });
  FMain.Run([&] { controller.FormShow(FLife.FirstArgument()); });
  if (controller.CommandLineRun())
    ::PostMessageA(FMain.Handle(), WM_ACTIVATEANDEXIT, 0, 0);
  FShown = true;
}

bool TQuorvinProgram::Hook(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  if (FTray && FTray->HandleMessage(message, wParam))
    return true;
  if (FAutoSwitching && FAutoSwitching->HandleMessage(message, wParam, lParam))
    return true;
  return ProgramMessage(message, wParam, lParam, result) || WindowMessage(message, wParam, result);
}

// The program's own messages: from a second start, the tray, itself.
bool TQuorvinProgram::ProgramMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  HWND window = FMain.Handle();
  switch (message) {
  case WM_SHOWINSTANCE:
    // The second start has already called SetForegroundWindow on us.
    ::ShowWindow(window, ::IsIconic(window) ? SW_RESTORE : SW_SHOW);
    ::BringWindowToTop(window);
    return true;
  case WM_TRAYNOTIFY:
    if (lParam == WM_LBUTTONDOWN)
      RestoreFromTray();
    else if (lParam == WM_RBUTTONDOWN)
      ShowTrayMenu();
    return true;
  case WM_ACTIVATEANDEXIT:
    ActivateAndExit();
    return true;
  case WM_COPYDATA:
    ::SetWindowLongPtrA(window, DWLP_MSGRESULT,
                        TakeHandOver(reinterpret_cast<HWND>(wParam), *reinterpret_cast<const COPYDATASTRUCT*>(lParam)));
    result = TRUE;
    return true;
  case WM_RUNHANDOVER:
    RunHandOver();
    return true;
  case WM_OFFERREVERT:
    FMain.Run([this] { FMain.Controller().OfferUnconfirmedRevert(); });
    return true;
  default:
    return false;
  }
}

// The system's messages whose handling the program changes: the session's
// end, the close that hides, the exit command.
bool TQuorvinProgram::WindowMessage(UINT message, WPARAM wParam, INT_PTR& result) {
  HWND window = FMain.Handle();
  switch (message) {
  case WM_QUERYENDSESSION:
    ::SetWindowLongPtrA(window, DWLP_MSGRESULT, TRUE);
    result = TRUE;
    return true;
  case WM_ENDSESSION:
    // The session ends and the process with it: what an exit keeps is kept
    // now, without a question.
    if (wParam) {
      SaveState();
      FTray->TrayIcon(false);
    }
    return true;
  case WM_ACTIVATE:
    if (LOWORD(wParam) != WA_INACTIVE && FShown && FLife.Activated())
      ::PostMessageA(window, WM_CLOSE, 0, 0);
    return false;
  case WM_CLOSE:
    if (FLife.CloseRequest())
      Exit();
    else
      ::PostMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    result = TRUE;
    return true;
  case WM_SYSCOMMAND:
    // Only the hide that a refused close posted is taken over; the user's
    // own minimise goes to the taskbar as usual.
    if ((wParam & 0xFFF0) == SC_MINIMIZE && FLife.HideCommand()) {
      ::ShowWindow(window, SW_HIDE);
      result = TRUE;
      return true;
    }
    return false;
  case WM_COMMAND:
    if (LOWORD(wParam) == IDM_EXIT || (LOWORD(wParam) == IDC_BEXIT && HIWORD(wParam) == BN_CLICKED)) {
      aExitExecute();
      result = TRUE;
      return true;
    }
    return false;
  default:
    return false;
  }
}

void TQuorvinProgram::RestoreFromTray() {
  HWND window = FMain.Handle();
  ::ShowWindow(window, ::IsIconic(window) ? SW_RESTORE : SW_SHOW);
  ::BringWindowToTop(window);
  ::SetForegroundWindow(window);
}

UniqueMenu TQuorvinProgram::BuildTrayMenu(const std::vector<std::string>& setCaptions) {
  UniqueMenu menu(::CreatePopupMenu());
  if (!menu)
    return nullptr;
  // A disabled window has one of its dialogs open.
  const bool setsEnabled = ::IsWindowEnabled(FMain.Handle()) && !FMain.Controller().Activating();
  for (const TTrayMenuItem& item : TrayMenuItems(setCaptions, setsEnabled, setsEnabled && FMain.Controller().CanUndo(),
                                                 FAutoSwitching->Marks())) {
    if (item.Command == 0)
      ::AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
    else
      ::AppendMenuA(menu.get(),
                    MF_STRING | (item.Enabled ? MF_ENABLED : MF_GRAYED) | (item.Checked ? MF_CHECKED : MF_UNCHECKED),
                    item.Command, item.Caption.c_str());
  }
  return menu;
}

void TQuorvinProgram::ShowTrayMenu() {
  HWND window = FMain.Handle();
  // Built at each opening, so that it lists the sets as they are now.
  const std::vector<std::string> captions = FMain.Controller().WindowOptions().SetNames;
  UniqueMenu menu = BuildTrayMenu(captions);
  if (!menu)
    return;
  // Without the foreground the menu would stay open when the user clicks
  // elsewhere; the posted null message lets it close at once after a choice.
  ::SetForegroundWindow(window);
  POINT cursor{};
  ::GetCursorPos(&cursor);
  const auto chosen = static_cast<unsigned>(
      ::TrackPopupMenuEx(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, cursor.x, cursor.y, window, nullptr));
  ::PostMessageA(window, WM_NULL, 0, 0);
  menu.reset();
  const TTrayChoice choice = TrayMenuChoice(chosen, captions.size());
  switch (choice.Action) {
  case TTrayAction::ActivateSet:
    // The window stays as it is: hidden in the notification area, or shown.
    FMain.Run([&] { FMain.Controller().ActivateSet(choice.Set); });
    break;
  case TTrayAction::Undo: FMain.Run([&] { FMain.Controller().UndoLastSwitch(); }); break;
  case TTrayAction::Open: RestoreFromTray(); break;
  case TTrayAction::Help: ::SendMessageA(window, WM_COMMAND, IDM_HELP, 0); break;
  case TTrayAction::About: ::SendMessageA(window, WM_COMMAND, IDM_ABOUT, 0); break;
  case TTrayAction::Exit: aExitExecute(); break;
  case TTrayAction::None: break;
  }
}

void TQuorvinProgram::aExitExecute() {
  TOptionsSetting& options = FMain.Controller().Options();
  if (options.AskBeforeExit && ShowAskDialog(FMain.Handle(), LoadText(TextId::ExitQuestion), options) != IDYES)
    return;
  FLife.BeginExit();
  ::PostMessageA(FMain.Handle(), WM_CLOSE, 0, 0);
}

void TQuorvinProgram::ActivateAndExit() {
  ::ShowWindow(FMain.Handle(), SW_HIDE);
  TActivateOutcome outcome; // unfinished when an error ended it
  FMain.Run([&] { outcome = FMain.Controller().CommandLineActivate(); });
  FExitCode = CommandLineExitCode(outcome.End);
  WriteToStartingConsole(ConsoleLines(outcome));
  FLife.BeginExit();
  ::PostMessageA(FMain.Handle(), WM_CLOSE, 0, 0);
}

LRESULT TQuorvinProgram::TakeHandOver(HWND replyTo, const COPYDATASTRUCT& data) {
  const std::optional<std::string> argument = HandedOverArgument(data);
  if (!argument)
    return 0;
  // As the tray's set items: not while a dialog of the window is open (it
  // is disabled then) or a switch is under way.
  const bool canTake = FShown && FLife.CloseMode() != TCloseMode::Exiting && !FExitDeferred && !FHandOver &&
                       ::IsWindowEnabled(FMain.Handle()) && !FMain.Controller().Activating() &&
                       !FMain.Controller().CommandLineRun();
  const THandOverDecision decision =
      DecideHandOver(*argument, FMain.Controller().WindowOptions().SetNames, canTake);
  if (decision.Answer == THandOver::NoSuchSet)
    ::SendMessageA(FMain.Handle(), WM_SHOWINSTANCE, 0, 0);
  if (decision.Answer == THandOver::Apply) {
    // Applied from the message loop: the second start has its answer
    // first and then waits for the outcome.
    FHandOver = THandOverRequest{decision.Index, decision.Undo, replyTo};
    ::PostMessageA(FMain.Handle(), WM_RUNHANDOVER, 0, 0);
  }
  return HandOverAnswer(decision.Answer);
}

void TQuorvinProgram::RunHandOver() {
  if (!FHandOver)
    return;
  const THandOverRequest request = *FHandOver;
  // As the tray's set item, whose dialog closes by itself on success as in
  // a command-line run; the window stays as it is.
  TActivateOutcome outcome;
  FMain.Run([&] {
    outcome = request.Undo ? FMain.Controller().UndoLastSwitch(true) : FMain.Controller().ActivateSet(request.Index, true);
  });
  FHandOver.reset();
  SendRunReply(FMain.Handle(), request.ReplyTo, CommandLineExitCode(outcome.End), ConsoleLines(outcome));
}

bool TQuorvinProgram::RunUnderWay() {
  return FHandOver || FMain.Controller().Activating() || FRunner.RunsUnderWay();
}

void TQuorvinProgram::Exit() {
  // Called inside a switch (its adapter step pauses and handles messages,
  // the tray's Exit among them), waiting for the switch here would wait for
  // the step below on this very stack. Once the loop has the thread again,
  // the run has ended or can be waited for.
  if (RunUnderWay()) {
    FExitDeferred = true;
    return;
  }
  EndRun();
}

void TQuorvinProgram::SaveState() {
  FMain.Run([this] { FMain.Controller().SaveAtExit(); });
}

void TQuorvinProgram::EndRun() {
  SaveState();
  FMain.Controller().WaitForEarlierSwitch();
  FNetworkWatch.reset();
  FTray->TrayIcon(false);
  ::ShowWindow(FMain.Handle(), SW_HIDE);
  FEnded = true;
  ::PostQuitMessage(0);
}

} // namespace

std::optional<int> StartWithRunningInstance(const std::string& firstArgument) {
  HWND running = ::FindWindowA(kMainWindowClass, nullptr);
  if (!running)
    return std::nullopt;
  if (HandsOverToRunningInstance(firstArgument))
    return HandOverToRunningInstance(running, firstArgument);
  ::PostMessageA(running, WM_SHOWINSTANCE, 0, 0);
  ::SetForegroundWindow(running);
  return 0;
}

int RunQuorvin(const std::string& firstArgument) {
  SetWindowErrorReporter(&ShowErrorBox);
  try {
    TQuorvinProgram program(firstArgument);
    return program.Run();
  } catch (...) {
    ShowErrorBox(nullptr, CurrentExceptionText());
    return kExitUnfinished;
  }
}

} // namespace quorvin

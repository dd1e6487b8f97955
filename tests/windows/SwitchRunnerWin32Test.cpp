// The main window's switch runner: how the run under its progress dialog
// ended, as the program hands it on to a command-line run's exit code.

#include "app/win32/Win32SwitchRunner.h"

#include "base/win32/Win32Dispatcher.h"
#include "support/SampleSets.h"
#include "support/SwitchFakes.h"
#include "support/win32/ThreadWindowTimer.h"
#include "switching/win32/SwitchHintIds.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <future>

namespace quorvin {
namespace {

constexpr const char* kMac = "00:11:22:33:44:55";

enum class Answer { None, OkWhenFinished, CloseBoxAtWorkgroup };

// Acts on the progress dialog from within its own modal loop, once, when
// its status panel shows what the answer waits for.
class DialogAnswerer {
public:
  explicit DialogAnswerer(Answer answer) : FAnswer(answer) {}

private:
  static std::string Status(HWND window) {
    char status[128] = {};
    ::GetDlgItemTextA(window, IDC_PANEL1, status, sizeof status);
    return status;
  }
  bool IsDue(HWND window) const {
    const std::string shown = Status(window);
    return (FAnswer == Answer::OkWhenFinished && shown == "Finished!") ||
           (FAnswer == Answer::CloseBoxAtWorkgroup && shown.find("[ Workgroup ]") != std::string::npos);
  }
  void Act(HWND window) {
    if (FAnswer == Answer::OkWhenFinished)
      ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_BCANCEL, BN_CLICKED), 0);
    else
      ::PostMessageA(window, WM_CLOSE, 0, 0);
    FAnswer = Answer::None;
  }

  Answer FAnswer;
  test::ThreadWindowTimer FTimer{[this](HWND window) { return IsDue(window); }, [this](HWND window) { Act(window); }};
};

struct RunCase {
  const char* Name;
  bool PrinterResult;
  bool CommandLineRun;
  Answer Answer;
  TActivateEnd End;
  std::vector<std::string> Lines;
};

class SwitchRunnerTest : public ::testing::TestWithParam<RunCase> {};

TEST_P(SwitchRunnerTest, TellsHowTheRunEnded) {
  const RunCase& c = GetParam();
  Win32Dispatcher dispatcher;
  test::HookedService service;
  service.Inner.AddAdapter({kMac, true, {}, {}});
  test::FakeHost host;
  host.PrinterResult = c.PrinterResult;
  // The workgroup item holds the run until the dialog has gone, so that a
  // close box falls inside the run.
  std::promise<void> dialogGone;
  if (c.Answer == Answer::CloseBoxAtWorkgroup)
    host.OnWorkgroup = [gone = dialogGone.get_future().share()] { gone.wait(); };
  SwitchThreads threads(dispatcher, service, host);
  Win32SwitchRunner runner(threads);

  TSwitchInput input{{}, test::DefaultItemNames(), kMac};
  input.Set.EnableIP = input.Set.Workgroup = input.Set.DefaultPrinter = true;
  input.Set.IP = "10.0.0.5";
  input.Set.Printer = "Laser";
  TActivateOutcome outcome;
  {
    DialogAnswerer answerer(c.Answer);
    outcome = runner.RunSwitch(input, {false, c.CommandLineRun});
  }
  dialogGone.set_value();
  runner.WaitForEarlierSwitches([] {});
  EXPECT_EQ(outcome.End, c.End);
  EXPECT_EQ(outcome.Lines, c.Lines);
  EXPECT_EQ(host.Log().back(), "MakeDefaultPrinter Laser") << "every item ran, seen or not";
}

INSTANTIATE_TEST_SUITE_P(
    Runs, SwitchRunnerTest,
    ::testing::Values(RunCase{"Applied", true, true, Answer::None, TActivateEnd::Applied, {}},
                      RunCase{"Failed", false, true, Answer::OkWhenFinished, TActivateEnd::Failed,
                              {"[ Default Printer ]: Failed!"}},
                      RunCase{"ClosedByItsCloseBox", false, false, Answer::CloseBoxAtWorkgroup,
                              TActivateEnd::Unfinished, {}}),
    [](const auto& info) { return std::string(info.param.Name); });

} // namespace
} // namespace quorvin

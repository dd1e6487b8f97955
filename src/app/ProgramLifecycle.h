#pragma once
// The program's life between its start and its exit, apart from the window
// it shows: what the first command-line argument asks for, what a close
// request does (hide to the notification area, or end the program), the
// notification icon's menu, and how a command-line run ends.

#include "app/ActivateOutcome.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvin {

// A start with exactly this first argument (case-sensitive) ends hidden in
// the notification area; the auto-start entry starts the program with it.
inline constexpr std::string_view kStartHiddenArgument = "-Start";

// The set that an argument holding "/" names: the argument without its first
// character, compared with each caption without regard to case. The first
// matching tab, or none.
std::optional<int> FindCommandLineSet(std::string_view argument, const std::vector<std::string>& captions);
// "/undo" (any case) when no set has that name: the command line asks to
// undo the last switch.
bool IsUndoArgument(std::string_view argument, const std::vector<std::string>& captions);

// The exit codes of a command-line run ("/" and a set's name).
inline constexpr int kExitApplied = 0;    // every ticked item applied
inline constexpr int kExitFailed = 1;     // a failure line was written
inline constexpr int kExitRefused = 2;    // Activate's checks refused
inline constexpr int kExitUnfinished = 3; // stopped, closed unseen, or an error
inline constexpr int kExitBusy = 4;       // a running instance could not take the set

// A second start while Quorvin runs. An argument that holds "/" is handed to
// the running instance, which applies the set it names and answers with
// the run's exit code and console lines; any other start only shows it.
bool HandsOverToRunningInstance(std::string_view argument);

// The running instance's answer to a handed-over argument, before any run:
// it cannot take one now (a dialog of its window is open, a switch is
// under way), no set has that name, or the set at Index is applied (the
// last switch undone, for Undo).
enum class THandOver { Busy, NoSuchSet, Apply };
struct THandOverDecision {
  THandOver Answer = THandOver::Busy;
  int Index = -1;
  bool Undo = false;
};
THandOverDecision DecideHandOver(std::string_view argument, const std::vector<std::string>& captions, bool canTake);

// What the second start ends with, and prints, when the running instance
// answered without a run.
int HandOverExitCode(THandOver answer);
std::vector<std::string> HandOverLines(THandOver answer, std::string_view argument);

// The run's outcome as it travels back to the second start: the exit code,
// then each console line, each ended by LF (a line's own line breaks become
// blanks). Decoding refuses what no encoding gives.
std::string EncodeRunReply(int exitCode, const std::vector<std::string>& lines);
struct TRunReply {
  int ExitCode = kExitUnfinished;
  std::vector<std::string> Lines;
};
std::optional<TRunReply> DecodeRunReply(std::string_view bytes);

int CommandLineExitCode(TActivateEnd end);
// What a command-line run prints on the console it was started from: the
// failure lines, or the message of a refusal.
std::vector<std::string> ConsoleLines(const TActivateOutcome& outcome);

// The notification icon's menu, built anew each time it opens: one item per
// set (its tab caption), a separator, then "&Open", "Online &Help",
// "&About" and "E&xit" with separators between them. The set items are
// disabled while choosing one could not apply it (a dialog of the window is
// open, an activation is under way).
enum class TTrayAction { None, ActivateSet, Undo, Open, Help, About, Exit };

struct TTrayMenuItem {
  unsigned Command = 0; // 0: a separator
  std::string Caption;  // with "&" marking the access key
  bool Enabled = true;
  bool Checked = false;
};

// What the notification icon shows of the network: the sets in effect
// (checked in the menu, the first one named in the tip with its adapter's
// address) and the sets whose network an adapter is on (marked "this
// network" after a tab), by tab index.
struct TTrayMarks {
  std::vector<int> InEffect;
  std::vector<int> ThisNetwork;
  std::string Tip;
};

struct TTrayChoice {
  TTrayAction Action = TTrayAction::None;
  int Set = -1; // ActivateSet: the tab's index
};

// Set commands start here; as many sets are listed as the menu's command
// numbers hold (far more than a menu can show).
inline constexpr unsigned kTraySetCommandFirst = 0x100;
inline constexpr unsigned kTraySetCommandLast = 0xFFFF;

std::vector<TTrayMenuItem> TrayMenuItems(const std::vector<std::string>& setCaptions, bool setsEnabled,
                                         bool undoEnabled = false, const TTrayMarks& marks = {});
// The chosen command (0 for none) of a menu built for setCount sets.
TTrayChoice TrayMenuChoice(unsigned command, std::size_t setCount);

enum class TCloseMode { Normal, TrayPending, Exiting };

// What the next close request does. A close is refused and turned into a
// hide until the exit has begun.
class TProgramLifecycle {
public:
  explicit TProgramLifecycle(std::string firstArgument) : FFirstArgument(std::move(firstArgument)) {}

  TCloseMode CloseMode() const { return FCloseMode; }
  const std::string& FirstArgument() const { return FFirstArgument; }

  // The close box, Alt+F4 or a start with "-Start": true when the window
  // may close; otherwise the caller hides it (HideCommand) and it stays.
  bool CloseRequest();
  // The hide that a refused close asked for arrives: true when it is that
  // hide (the caller hides the window), false for a minimise of the user's.
  bool HideCommand();
  // The window became active: true the first time in a run started with
  // "-Start", when the window must go to the notification area.
  bool Activated();
  // The exit was confirmed (or not asked for), or a command-line run ended.
  void BeginExit() { FCloseMode = TCloseMode::Exiting; }

private:
  std::string FFirstArgument;
  TCloseMode FCloseMode = TCloseMode::Normal;
  bool FActivatedBefore = false;
};

} // namespace quorvin

#pragma once
// The program's life between its start and its exit, apart from the window
// it shows: what the first command-line argument asks for, and what a close
// request does (hide to the notification area, or end the program).

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

#pragma once
// One run of Quorvin: its objects, created in one place in the order they
// depend on each other and destroyed in reverse (COM first and last), the
// notification icon, the close-to-tray rule, the command line and the exit.

#include <windows.h>

#include <optional>
#include <string>

namespace quorvin {

inline constexpr UINT WM_SHOWINSTANCE = 0x2501;
inline constexpr UINT WM_ACTIVATEANDEXIT = 0x2506;
// Posted by the main window to itself: apply the set a second start handed over.
inline constexpr UINT WM_RUNHANDOVER = 0x2507;
// Posted once the first show is done: offer to undo a switch whose keep
// question was never answered.
inline constexpr UINT WM_OFFERREVERT = 0x2508;

// Finds a running instance by its main window's class. With a "/" in the
// first argument the set it names is handed over and this start waits for
// the outcome; any other start asks it to show itself. The exit code this
// start ends with, or none when no instance runs.
std::optional<int> StartWithRunningInstance(const std::string& firstArgument);

// Runs the program until its exit; the process's exit code: for a run
// with "/" and a set's name, how its Activate ended (CommandLineExitCode),
// else 0.
int RunQuorvin(const std::string& firstArgument);

} // namespace quorvin

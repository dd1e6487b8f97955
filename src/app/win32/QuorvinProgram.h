#pragma once
// One run of Quorvin: its objects, created in one place in the order they
// depend on each other and destroyed in reverse (COM first and last), the
// notification icon, the close-to-tray rule, the command line and the exit.

#include <windows.h>

#include <string>

namespace quorvin {

inline constexpr UINT WM_SHOWINSTANCE = 0x2501;
inline constexpr UINT WM_ACTIVATEANDEXIT = 0x2506;

// Finds a running instance by its main window's class and asks it to show
// itself; true when one was found (this start then ends).
bool ShowRunningInstance();

// Runs the program until its exit; the process's exit code: for a run
// with "/" and a set's name, how its Activate ended (CommandLineExitCode),
// else 0.
int RunQuorvin(const std::string& firstArgument);

} // namespace quorvin

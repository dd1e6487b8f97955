#pragma once
// A set named on the command line of a second start, handed to the running
// instance. The second start sends the argument in a WM_COPYDATA to the
// running main window, with the window that is to receive the outcome; the
// running instance answers at once whether it takes it (busy, no such set,
// applying) and, once its run has ended, sends the exit code and the
// console lines back in a WM_COPYDATA of its own.

#include "app/ProgramLifecycle.h"

#include <windows.h>

#include <optional>
#include <string>

namespace quorvin {

// The second start's side: hands argument to the running window, waits for
// the outcome (or for the running process to end), prints the lines on the
// console it was started from, and returns the exit code to end with.
int HandOverToRunningInstance(HWND running, const std::string& argument);

// The running instance's side, in the main window's WM_COPYDATA: the
// argument that a second start handed over, or none for any other data.
std::optional<std::string> HandedOverArgument(const COPYDATASTRUCT& data);
// The window's answer to that WM_COPYDATA (its message result).
LRESULT HandOverAnswer(THandOver answer);
// Sends the run's outcome to the waiting second start's window.
void SendRunReply(HWND from, HWND to, int exitCode, const std::vector<std::string>& lines);

} // namespace quorvin

#pragma once
// How one Activate ended, as the program hands it on: to a command-line
// run's exit code and to the console the run was started from.

#include <string>
#include <vector>

namespace quorvin {

enum class TActivateEnd {
  // One of Activate's two checks refused: no adapter chosen, no item ticked.
  Refused,
  // The switch reached its end without a failure line.
  Applied,
  // The switch reached its end with failure lines (or lost some of them).
  Failed,
  // No end was seen: the run was stopped, its dialog was closed by its
  // close box, an error ended it, or an activation was already under way.
  Unfinished,
};

struct TActivateOutcome {
  TActivateEnd End = TActivateEnd::Unfinished;
  // Refused: the message shown. Failed: the failure lines, without the
  // list's heading and empty lines.
  std::vector<std::string> Lines;
};

// The failure lines among the lines of the progress dialog's list (the
// heading, then each line followed by an empty one).
std::vector<std::string> FailureLinesOf(const std::vector<std::string>& listLines);

} // namespace quorvin

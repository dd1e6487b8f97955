#pragma once
// Runs a program hidden and waits, for a bounded time, for it to end.

#include <cstdint>
#include <string>

namespace quorvin {

// The longest wait for a program started by RunHidden.
inline constexpr unsigned kProcessRunLimitMs = 10000;

enum class ProcessEnd { NotStarted, Exited, TimedOut };

// How a run ended; the exit code only with Exited.
struct ProcessRun {
  ProcessEnd End = ProcessEnd::NotStarted;
  std::uint32_t ExitCode = 0;
};

class ProcessLauncher {
public:
  virtual ~ProcessLauncher() = default;
  // Starts the program hidden and waits up to kProcessRunLimitMs for it to
  // end. A program still running then is left running: TimedOut.
  virtual ProcessRun RunHidden(const std::string& commandLine) = 0;
};

} // namespace quorvin

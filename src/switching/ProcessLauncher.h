#pragma once
// Starts a program hidden, without waiting for it.

#include <string>

namespace quorvin {

class ProcessLauncher {
public:
  virtual ~ProcessLauncher() = default;
  // False when the program could not be started.
  virtual bool LaunchHidden(const std::string& commandLine) = 0;
};

} // namespace quorvin

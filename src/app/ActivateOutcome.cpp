#include "app/ActivateOutcome.h"

#include "switching/SwitchThread.h"

namespace quorvin {

std::vector<std::string> FailureLinesOf(const std::vector<std::string>& listLines) {
  // Every failure line starts with "[ ", so neither the heading nor an
  // empty separator line can pass for one.
  const std::string heading = FailureHeading();
  std::vector<std::string> lines;
  for (const std::string& line : listLines) {
    if (!line.empty() && line != heading)
      lines.push_back(line);
  }
  return lines;
}

} // namespace quorvin

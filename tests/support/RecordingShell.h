#pragma once
// A shell that records what it is asked to open, verb and target, instead
// of opening it.

#include "app/ShellPort.h"

#include <string>
#include <utility>
#include <vector>

namespace quorvin::test {

class RecordingShell final : public ShellPort {
public:
  void Open(const std::string& verb, const std::string& target) override { Opened.emplace_back(verb, target); }
  std::vector<std::pair<std::string, std::string>> Opened;
};

} // namespace quorvin::test

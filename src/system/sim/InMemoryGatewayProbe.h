#pragma once
// A gateway probe for native tests and the platform off Windows: only the
// addresses in its list answer, and nothing is ever waited for.

#include "system/GatewayProbe.h"

#include <algorithm>
#include <mutex>
#include <string>
#include <vector>

namespace quorvin {

class InMemoryGatewayProbe final : public GatewayProbe {
public:
  void SetAnswering(std::vector<std::string> addresses) {
    const std::lock_guard lock(FMutex);
    FAnswering = std::move(addresses);
  }

  bool Answers(const std::string& address, unsigned) override {
    const std::lock_guard lock(FMutex);
    return std::find(FAnswering.begin(), FAnswering.end(), address) != FAnswering.end();
  }

private:
  std::mutex FMutex;
  std::vector<std::string> FAnswering;
};

} // namespace quorvin

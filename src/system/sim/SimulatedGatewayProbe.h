#pragma once
// The gateway probe of the simulation: an address answers when an adapter of
// network.ini lists it in DefaultGateway and says GatewayAnswers=1. The file
// is read anew on each call, so a test can change the answer while the
// question is open; nothing is waited for.

#include "system/GatewayProbe.h"

#include <string>

namespace quorvin {

class SimulatedGatewayProbe final : public GatewayProbe {
public:
  explicit SimulatedGatewayProbe(std::string folder) : FFolder(std::move(folder)) {}

  bool Answers(const std::string& address, unsigned timeoutMs) override;

private:
  std::string FFolder;
};

} // namespace quorvin

#pragma once
// Whether a gateway answers: asked while the question to keep new network
// settings is open, as information for the user (a gateway may not answer
// pings at all).

#include <string>

namespace quorvin {

class GatewayProbe {
public:
  virtual ~GatewayProbe() = default;
  // Whether address answers an ICMP echo within timeoutMs; false also when
  // it cannot be asked. Safe on any thread.
  virtual bool Answers(const std::string& address, unsigned timeoutMs) = 0;
};

} // namespace quorvin

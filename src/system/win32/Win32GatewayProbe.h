#pragma once
// The machine's gateway probe: one ICMP echo through the IP helper
// (IcmpSendEcho2), waited for on the calling thread.

#include "system/GatewayProbe.h"

namespace quorvin {

class Win32GatewayProbe final : public GatewayProbe {
public:
  bool Answers(const std::string& address, unsigned timeoutMs) override;
};

} // namespace quorvin

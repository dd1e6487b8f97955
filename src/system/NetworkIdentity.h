#pragma once
// The port that tells which network an adapter is on: its default gateway
// (address, and MAC through the neighbour table), the DNS suffix the
// connection has, and the Wi-Fi network's name.

#include "base/NetworkSignature.h"

#include <string>

namespace quorvin {

class NetworkIdentity {
public:
  virtual ~NetworkIdentity() = default;
  // What the adapter with that GUID (in braces, any letter case) sees now;
  // empty fields for what it does not know, all empty for an adapter that
  // is not there or not connected. Never throws.
  virtual TNetworkSignature Seen(const std::string& adapterGuid) = 0;
};

// Knows no network: the platform without one of its own.
class NoNetworkIdentity final : public NetworkIdentity {
public:
  TNetworkSignature Seen(const std::string&) override { return {}; }
};

} // namespace quorvin

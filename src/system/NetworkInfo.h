#pragma once
// The connection and adapter port: the network connections as the system's
// connections folder shows them, and the IP adapter records that carry the
// hardware addresses.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quorvin {

struct ConnectionRecord {
  std::string Name;       // as the connections folder shows it
  std::string DeviceName; // the adapter's description
  std::string Guid;       // upper case, with braces and dashes
};

struct AdapterRecord {
  std::uint32_t ComboIndex = 0;
  std::string Description;
  std::vector<std::uint8_t> Address; // the hardware address bytes
};

class NetworkInfo {
public:
  virtual ~NetworkInfo() = default;

  // The connections in the system's order; nothing when they cannot be
  // listed at all.
  virtual std::optional<std::vector<ConnectionRecord>> Connections() = 0;
  // The IP adapter records in the system's order. Throws QuorvinError with
  // the system error text when they cannot be read.
  virtual std::vector<AdapterRecord> Adapters() = 0;
};

} // namespace quorvin

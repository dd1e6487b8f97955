#pragma once
// The adapter list of the main window: four texts per network connection
// (name, device name, MAC text, GUID in braces), and the hardware address
// that belongs to each connection.

#include "system/NetworkInfo.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorvin {

inline constexpr std::size_t kAdapterListStride = 4;

// One connection of the list: its four texts by name.
struct TAdapterEntry {
  std::string ConnectionName;
  std::string DeviceName;
  std::string Mac;  // upper-case hex pairs joined by ":", empty when unknown
  std::string Guid; // in braces
};

// The complete entries of a list (a trailing incomplete group is none).
std::size_t AdapterEntryCount(const std::vector<std::string>& list);
// Entry position of the list; nothing outside it.
std::optional<TAdapterEntry> AdapterEntryAt(const std::vector<std::string>& list, std::int64_t position);

// Appends four entries per connection to list; nothing when the connections
// cannot be listed. A failure to read the adapter records propagates and
// leaves only complete groups of four in the list.
void ListConnections(NetworkInfo& network, std::vector<std::string>& list);

// The MAC text of the adapter record that belongs to the connection with
// that device name; hint is the connection's position. Empty when no record
// matches.
std::string FindAdapterMac(std::span<const AdapterRecord> adapters, std::uint32_t hint,
                           std::string_view deviceName);
std::string FindAdapterMac(NetworkInfo& network, std::uint32_t hint, std::string_view deviceName);

// The first count bytes as upper-case hex pairs joined by ":".
std::string FormatMac(std::span<const std::uint8_t> bytes, std::size_t count);
std::string FormatMac(std::span<const std::uint8_t> bytes);

} // namespace quorvin

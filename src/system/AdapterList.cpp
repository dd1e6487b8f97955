#include "system/AdapterList.h"

#include <optional>

namespace quorvin {
namespace {

// A plain substring test in which an empty text is contained in nothing.
bool Contains(std::string_view text, std::string_view part) {
  return !part.empty() && text.find(part) != std::string_view::npos;
}

} // namespace

std::size_t AdapterEntryCount(const std::vector<std::string>& list) { return list.size() / kAdapterListStride; }

std::optional<TAdapterEntry> AdapterEntryAt(const std::vector<std::string>& list, std::int64_t position) {
  if (position < 0 || static_cast<std::uint64_t>(position) >= AdapterEntryCount(list))
    return std::nullopt;
  const auto first = list.begin() + static_cast<std::ptrdiff_t>(position) * kAdapterListStride;
  return TAdapterEntry{first[0], first[1], first[2], first[3]};
}

void ListConnections(NetworkInfo& network, std::vector<std::string>& list) {
  const auto connections = network.Connections();
  if (!connections)
    return;
  std::optional<std::vector<AdapterRecord>> adapters; // read once, when first needed
  std::uint32_t position = 0;
  for (const auto& connection : *connections) {
    if (!adapters)
      adapters = network.Adapters();
    std::string mac = FindAdapterMac(*adapters, position++, connection.DeviceName);
    list.push_back(connection.Name);
    list.push_back(connection.DeviceName);
    list.push_back(std::move(mac));
    list.push_back(connection.Guid);
  }
}

std::string FindAdapterMac(std::span<const AdapterRecord> adapters, std::uint32_t hint,
                           std::string_view deviceName) {
  const AdapterRecord* firstMatch = nullptr;
  for (const auto& adapter : adapters) {
    const bool matches = Contains(deviceName, adapter.Description) ||
                         Contains(adapter.Description, deviceName);
    if (!matches)
      continue;
    if (adapter.ComboIndex == hint || adapter.Description == deviceName)
      return FormatMac(adapter.Address);
    if (firstMatch == nullptr)
      firstMatch = &adapter;
  }
  return firstMatch ? FormatMac(firstMatch->Address) : std::string();
}

std::string FindAdapterMac(NetworkInfo& network, std::uint32_t hint, std::string_view deviceName) {
  return FindAdapterMac(network.Adapters(), hint, deviceName);
}

std::string FormatMac(std::span<const std::uint8_t> bytes, std::size_t count) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (std::size_t index = 0; index < count && index < bytes.size(); ++index) {
    if (index > 0)
      text += ':';
    text += kDigits[bytes[index] >> 4];
    text += kDigits[bytes[index] & 0x0F];
  }
  return text;
}

std::string FormatMac(std::span<const std::uint8_t> bytes) { return FormatMac(bytes, bytes.size()); }

} // namespace quorvin

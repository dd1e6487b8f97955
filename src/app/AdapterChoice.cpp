#include "app/AdapterChoice.h"

#include "base/AsciiCase.h"

namespace quorvin {

std::string AdapterEntryText(const std::string& connectionName, const std::string& deviceName) {
  return connectionName + "  (" + deviceName + ")";
}

std::vector<std::string> AdapterEntries(const std::vector<std::string>& adapterList) {
  std::vector<std::string> entries;
  for (std::size_t k = 0; k < AdapterEntryCount(adapterList); ++k) {
    const TAdapterEntry entry = *AdapterEntryAt(adapterList, static_cast<std::int64_t>(k));
    entries.push_back(AdapterEntryText(entry.ConnectionName, entry.DeviceName));
  }
  return entries;
}

std::string AdapterGuidAt(const std::vector<std::string>& adapterList, std::int32_t position) {
  const auto entry = AdapterEntryAt(adapterList, position);
  return entry ? entry->Guid : std::string();
}

std::int32_t ChooseAdapter(const TSetRecord& set, const std::vector<std::string>& adapterList) {
  const auto count = static_cast<std::int32_t>(AdapterEntryCount(adapterList));
  if (!set.NetworkAdapterGuid.empty())
    for (std::int32_t k = 0; k < count; ++k)
      if (EqualsIgnoringCase(AdapterGuidAt(adapterList, k), set.NetworkAdapterGuid))
        return k;
  return ClampAdapterPosition(set.NetworkAdapter, count);
}

} // namespace quorvin

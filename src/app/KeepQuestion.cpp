#include "app/KeepQuestion.h"

#include <cstdint>
#include <cstdio>
#include <vector>

namespace quorvin {

std::string AdapterItemsFingerprint(const TSetRecord& set) {
  // The values of unticked items are not applied: they do not count.
  const std::vector<std::string> fields = {
      set.NetworkAdapterGuid,
      set.EnableIP ? "IP" + std::to_string(set.AutoIP) + std::to_string(set.UseIP) : "",
      set.EnableIP ? set.IP + "/" + set.SubnetMask + "/" + set.Gateway : "",
      set.DnsServer ? "DNS" + std::to_string(set.AutoDnsServer) + std::to_string(set.UseDnsServer) : "",
      set.DnsServer ? set.PreferredDns + "/" + set.AlternateDns : "",
      set.DnsDomain ? "Domain" + set.DnsDomainText : "",
      set.WinsServer ? "WINS" + set.PrimaryWins + "/" + set.SecondaryWins : ""};
  // FNV-1a over the fields, each ended by a byte no field holds.
  std::uint64_t hash = 0xCBF29CE484222325ull;
  for (const std::string& field : fields) {
    for (const char c : field + '\0') {
      hash ^= static_cast<unsigned char>(c);
      hash *= 0x100000001B3ull;
    }
  }
  char text[17];
  std::snprintf(text, sizeof text, "%016llX", static_cast<unsigned long long>(hash));
  return text;
}

bool AsksToKeep(TKeepQuestion mode, std::string_view fingerprint, std::string_view lastKept) {
  switch (mode) {
  case TKeepQuestion::Always: return true;
  case TKeepQuestion::WhenNewOrChanged: return fingerprint != lastKept;
  case TKeepQuestion::Never: break;
  }
  return false;
}

} // namespace quorvin

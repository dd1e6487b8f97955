#include "switching/AdapterReadBack.h"

#include "base/AsciiCase.h"
#include "base/Texts.h"
#include "switching/DottedQuad.h"
#include "switching/IpSet.h"

#include <algorithm>
#include <string_view>

namespace quorvin {
namespace {

bool SameAddress(std::string_view a, std::string_view b) {
  const auto first = ParseDottedQuad(a);
  const auto second = ParseDottedQuad(b);
  return first && second ? *first == *second : a == b;
}

bool SameAddresses(const TextList& a, const TextList& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](const std::string& x, const std::string& y) { return SameAddress(x, y); });
}

// The reader keeps the first server apart and the rest as the registry
// holds them; lists there are written with commas, older ones with blanks.
TextList ReportedDnsServers(const IpConfig& present) {
  TextList servers;
  for (const std::string& text : {present.PreferredDns, present.AlternateDns}) {
    std::string_view rest = text;
    while (!rest.empty()) {
      const auto end = std::min(rest.find_first_of(", "), rest.size());
      if (end > 0)
        servers.emplace_back(rest.substr(0, end));
      rest.remove_prefix(std::min(end + 1, rest.size()));
    }
  }
  return servers;
}

// The non-empty values joined by " / "; "nothing" when there is none.
std::string Reported(const TextList& values) {
  std::string text;
  for (const std::string& value : values) {
    if (value.empty())
      continue;
    if (!text.empty())
      text += " / ";
    text += value;
  }
  return text.empty() ? LoadText(TextId::ReadBackNothing) : text;
}

std::string Mismatch(const std::string& reported) { return LoadText(TextId::ReadBackReports) + " " + reported; }

std::optional<std::string> CheckIp(const TSetRecord& set, const IpConfig& present) {
  const std::string fixedAddress = Reported({present.IPAddress, present.SubnetMask, present.DefaultGateway});
  if (set.AutoIP || SwitchesToDhcp(set.IP)) {
    if (present.DhcpEnabled)
      return std::nullopt;
    return Mismatch(fixedAddress);
  }
  if (present.DhcpEnabled)
    return Mismatch(LoadText(TextId::ReadBackAutomaticAddress));
  const std::string_view mask = set.SubnetMask.empty() ? kDefaultSubnetMask : std::string_view(set.SubnetMask);
  if (SameAddress(present.IPAddress, set.IP) && SameAddress(present.SubnetMask, mask) &&
      SameAddress(present.DefaultGateway, set.Gateway))
    return std::nullopt;
  return Mismatch(fixedAddress);
}

std::optional<std::string> CheckDnsServers(const TSetRecord& set, const IpConfig& present) {
  const TextList asked = set.AutoDnsServer ? TextList{} : ServerList(set.PreferredDns, set.AlternateDns);
  const TextList reported = ReportedDnsServers(present);
  if (asked.empty()) {
    if (present.AutoDns)
      return std::nullopt;
    return Mismatch(Reported(reported));
  }
  if (present.AutoDns)
    return Mismatch(LoadText(TextId::ReadBackAutomaticDns));
  if (SameAddresses(reported, asked))
    return std::nullopt;
  return Mismatch(Reported(reported));
}

std::optional<std::string> CheckDnsDomain(const TSetRecord& set, const IpConfig& present) {
  if (EqualsIgnoringCase(present.DnsDomain, set.DnsDomainText))
    return std::nullopt;
  return Mismatch(Reported({present.DnsDomain}));
}

std::optional<std::string> CheckWins(const TSetRecord& set, const IpConfig& present) {
  const TextList reported = ServerList(present.PrimaryWins, present.SecondaryWins);
  if (SameAddresses(reported, ServerList(set.PrimaryWins, set.SecondaryWins)))
    return std::nullopt;
  return Mismatch(Reported(reported));
}

} // namespace

std::optional<std::string> ReadBackMismatch(SwitchItem item, const TSetRecord& set, const IpConfig& present) {
  switch (item) {
  case SwitchItem::IP: return CheckIp(set, present);
  case SwitchItem::DnsServer: return CheckDnsServers(set, present);
  case SwitchItem::DnsDomain: return CheckDnsDomain(set, present);
  case SwitchItem::WinsServer: return CheckWins(set, present);
  default: return std::nullopt;
  }
}

} // namespace quorvin

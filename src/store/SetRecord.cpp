#include "store/SetRecord.h"

#include "store/IniValues.h"

#include <type_traits>
#include <utility>

namespace quorvin {

using R = TSetRecord;

const std::array<TSetField, kSetFieldCount> kSetFields = {{
    {"Caption", &R::Caption},
    {"NetworkAdapter", &R::NetworkAdapter},
    {"EnableIP", &R::EnableIP},
    {"AutoIP", &R::AutoIP},
    {"UseIP", &R::UseIP},
    {"IP", &R::IP},
    {"SubnetMask", &R::SubnetMask},
    {"Gateway", &R::Gateway},
    {"DnsServer", &R::DnsServer},
    {"AutoDnsServer", &R::AutoDnsServer},
    {"UseDnsServer", &R::UseDnsServer},
    {"PreferredDns", &R::PreferredDns},
    {"AlternateDns", &R::AlternateDns},
    {"ProxyServer", &R::ProxyServer},
    {"UseProxyServer", &R::UseProxyServer},
    {"ProxyAddress", &R::ProxyAddress},
    {"ProxyPort", &R::ProxyPort},
    {"ComputerName", &R::ComputerName},
    {"ComputerNameText", &R::ComputerNameText},
    {"Workgroup", &R::Workgroup},
    {"WorkgroupText", &R::WorkgroupText},
    {"DefaultPrinter", &R::DefaultPrinter},
    {"Printer", &R::Printer},
    {"DnsDomain", &R::DnsDomain},
    {"DnsDomainText", &R::DnsDomainText},
    {"WinsServer", &R::WinsServer},
    {"PrimaryWins", &R::PrimaryWins},
    {"SecondaryWins", &R::SecondaryWins},
    {"NetworkAdapterGuid", &R::NetworkAdapterGuid},
}};

std::string SetSectionName(int index) { return std::to_string(index); }

std::string DefaultSetCaption(int index) { return "SET" + std::to_string(index + 1); }

TSetRecord LoadSet(ProfileFile& file, int index) {
  TSetRecord set;
  set.Caption = DefaultSetCaption(index);
  return LoadSetFrom(file, SetSectionName(index), std::move(set));
}

TSetRecord LoadSetFrom(ProfileFile& file, const std::string& section, TSetRecord set) {
  for (const TSetField& field : kSetFields) {
    std::visit(
        [&](auto member) {
          auto& value = set.*member;
          using T = std::decay_t<decltype(value)>;
          if constexpr (std::is_same_v<T, std::string>)
            value = file.ReadString(section, field.Key, value);
          else if constexpr (std::is_same_v<T, bool>)
            value = ReadBool(file, section, field.Key, value);
          else
            value = ReadInteger(file, section, field.Key, value);
        },
        field.Member);
  }
  ApplyLoadedChoices(set);
  return set;
}

void SaveSet(ProfileFile& file, int index, const TSetRecord& set) { SaveSetTo(file, SetSectionName(index), set); }

void SaveSetTo(ProfileFile& file, const std::string& section, const TSetRecord& set) {
  for (const TSetField& field : kSetFields) {
    std::visit(
        [&](auto member) {
          const auto& value = set.*member;
          using T = std::decay_t<decltype(value)>;
          if constexpr (std::is_same_v<T, std::string>)
            WriteText(file, section, field.Key, value);
          else if constexpr (std::is_same_v<T, bool>)
            WriteBool(file, section, field.Key, value);
          else
            WriteInteger(file, section, field.Key, value);
        },
        field.Member);
  }
}

void ApplyLoadedChoices(TSetRecord& set) {
  // Choosing a radio button clears the other of its pair; clearing one does
  // nothing else. "Auto" is set first, then "Use".
  set.AutoIP = set.AutoIP && !set.UseIP;
  set.AutoDnsServer = set.AutoDnsServer && !set.UseDnsServer;
  if (set.UseIP) {
    set.UseDnsServer = true;
    set.AutoDnsServer = false;
  }
}

bool AutoDnsAllowed(const TSetRecord& set) { return !set.UseIP; }

std::int32_t ClampAdapterPosition(std::int32_t position, std::int32_t adapterCount) {
  return position >= 0 && position < adapterCount ? position : -1;
}

std::optional<std::string_view> FirstDifference(const TSetRecord& snapshot, const TSetRecord& shown) {
  for (const TSetField& field : kSetFields) {
    const bool differs =
        std::visit([&](auto member) { return snapshot.*member != shown.*member; }, field.Member);
    if (differs)
      return field.Key;
  }
  return std::nullopt;
}

} // namespace quorvin

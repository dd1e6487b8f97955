#pragma once
// One set: its caption, the adapter it is meant for and eight items, each
// with its tick and its values. The shown set's controls fill such a record,
// and a record fills them; the file holds one section per set.
//
// The adapter is kept twice: as its position in the adapter list and as its
// GUID ("NetworkAdapterGuid", the last key, so that a section written before
// the key existed gains it at its end and lists its keys as a new section
// does). A section without the GUID loads with an empty one.

#include "store/ProfileFile.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace quorvin {

struct TSetRecord {
  std::string Caption;
  std::int32_t NetworkAdapter = -1;
  bool EnableIP = false;
  bool AutoIP = false;
  bool UseIP = true;
  std::string IP;
  std::string SubnetMask;
  std::string Gateway;
  bool DnsServer = false;
  bool AutoDnsServer = false;
  bool UseDnsServer = true;
  std::string PreferredDns;
  std::string AlternateDns;
  bool ProxyServer = false;
  bool UseProxyServer = false;
  std::string ProxyAddress;
  std::string ProxyPort;
  bool ComputerName = false;
  std::string ComputerNameText;
  bool Workgroup = false;
  std::string WorkgroupText;
  bool DefaultPrinter = false;
  std::string Printer;
  bool DnsDomain = false;
  std::string DnsDomainText;
  bool WinsServer = false;
  std::string PrimaryWins;
  std::string SecondaryWins;
  std::string NetworkAdapterGuid; // in braces, as the adapter list keeps it; empty when unknown

  bool operator==(const TSetRecord&) const = default;
};

// One key of a set section and the field that holds it. The table's order is
// the order of writing and of comparing.
struct TSetField {
  std::string_view Key;
  std::variant<std::string TSetRecord::*, std::int32_t TSetRecord::*, bool TSetRecord::*> Member;
};
inline constexpr std::size_t kSetFieldCount = 29;
extern const std::array<TSetField, kSetFieldCount> kSetFields;

std::string SetSectionName(int index);
// "SET" followed by the position plus one.
std::string DefaultSetCaption(int index);

// Reads section index with the defaults of each key.
TSetRecord LoadSet(ProfileFile& file, int index);
// Writes all keys in table order, so a saved section is always complete.
void SaveSet(ProfileFile& file, int index, const TSetRecord& set);
// The same for a section of any name; keys a section lacks keep set's values.
TSetRecord LoadSetFrom(ProfileFile& file, const std::string& section, TSetRecord set);
void SaveSetTo(ProfileFile& file, const std::string& section, const TSetRecord& set);

// The choices as the window ends up with them after a load: each radio pair
// is set in key order (so "Use" wins when both are on), then the DNS choice
// follows the IP choice: a fixed address needs fixed DNS servers.
void ApplyLoadedChoices(TSetRecord& set);
// The automatic DNS choice is offered only while the IP is automatic.
bool AutoDnsAllowed(const TSetRecord& set);
// An adapter position outside the list means no adapter is chosen.
std::int32_t ClampAdapterPosition(std::int32_t position, std::int32_t adapterCount);

// The key of the first field, in table order, where the two records differ.
std::optional<std::string_view> FirstDifference(const TSetRecord& snapshot, const TSetRecord& shown);

} // namespace quorvin

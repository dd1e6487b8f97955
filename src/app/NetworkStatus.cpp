#include "app/NetworkStatus.h"

#include "app/NetworkSwitcher.h"
#include "app/ProgramLifecycle.h"
#include "base/AsciiCase.h"
#include "store/Settings.h"
#include "system/AdapterList.h"

#include <cstdio>

namespace quorvin {
namespace {

std::string JsonList(const std::vector<std::string>& items) {
  std::string list = "[";
  for (const std::string& item : items) {
    if (list.size() > 1)
      list += ',';
    list += JsonString(item);
  }
  return list + "]";
}

std::vector<std::string> NonEmpty(std::initializer_list<std::string> items) {
  std::vector<std::string> kept;
  for (const std::string& item : items) {
    if (!item.empty())
      kept.push_back(item);
  }
  return kept;
}

std::string Field(std::string_view name, const std::string& json) { return JsonString(name) + ":" + json; }

std::string AdapterLine(const TAdapterEntry& entry, const std::vector<TSwitchableSet>& sets, SystemServices& system) {
  IpConfig present;
  bool read = true;
  try {
    ReadIpConfig(system.GetRegistry(), entry.Guid, present);
  } catch (...) {
    read = false;
  }
  const TNetworkSignature seen = system.Identity().Seen(entry.Guid);
  std::vector<std::string> inEffect;
  std::vector<std::string> matching;
  for (const TSwitchableSet& set : sets) {
    if (!EqualsIgnoringCase(set.AdapterGuid, entry.Guid))
      continue;
    if (read && IsInEffect(set.Set, present))
      inEffect.push_back(set.Caption);
    if (MatchesNetwork(set.Network.Network, seen))
      matching.push_back(set.Caption);
  }
  const std::string network = "{" + Field("gatewayMac", JsonString(seen.GatewayMac)) + "," +
                              Field("gateway", JsonString(seen.GatewayAddress)) + "," +
                              Field("dnsSuffix", JsonString(seen.DnsSuffix)) + "," +
                              Field("ssid", JsonString(seen.Ssid)) + "}";
  return "{" + Field("adapter", JsonString(entry.ConnectionName)) + "," +
         Field("device", JsonString(entry.DeviceName)) + "," + Field("mac", JsonString(entry.Mac)) + "," +
         Field("guid", JsonString(entry.Guid)) + "," + Field("dhcp", present.DhcpEnabled ? "true" : "false") + "," +
         Field("address", JsonString(present.IPAddress)) + "," + Field("mask", JsonString(present.SubnetMask)) +
         "," + Field("gateway", JsonString(present.DefaultGateway)) + "," +
         Field("dns", JsonList(NonEmpty({present.PreferredDns, present.AlternateDns}))) + "," +
         Field("dnsDomain", JsonString(present.DnsDomain)) + "," +
         Field("wins", JsonList(NonEmpty({present.PrimaryWins, present.SecondaryWins}))) + "," +
         Field("network", network) + "," + Field("inEffect", JsonList(inEffect)) + "," +
         Field("matching", JsonList(matching)) + "}";
}

} // namespace

bool IsStatusArgument(std::string_view argument, const std::vector<std::string>& captions) {
  return EqualsIgnoringCase(argument, kStatusArgument) && !FindCommandLineSet(argument, captions);
}

std::string JsonString(std::string_view text) {
  std::string json = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      json += '\\';
      json += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
      json += escaped;
    } else {
      json += c;
    }
  }
  return json + "\"";
}

std::vector<std::string> StatusLines(ProfileFile& file, SystemServices& system) {
  TOptionsSetting options;
  TWindowOptions window;
  LoadOrSaveOptions(true, file, options, window);
  std::vector<std::string> adapterList;
  try {
    ListConnections(system.Network(), adapterList);
  } catch (const std::exception& error) {
    return {"{" + Field("error", JsonString(error.what())) + "}"};
  }
  const std::vector<TSwitchableSet> sets = ReadSwitchableSets(file, window.SetNames, adapterList);
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < AdapterEntryCount(adapterList); ++i)
    lines.push_back(AdapterLine(*AdapterEntryAt(adapterList, static_cast<std::int64_t>(i)), sets, system));
  return lines;
}

} // namespace quorvin

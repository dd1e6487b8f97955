#include "app/NetworkSwitcher.h"

#include "app/AdapterChoice.h"
#include "base/Texts.h"
#include "switching/AdapterReadBack.h"
#include "system/IpConfig.h"

#include <algorithm>

namespace quorvin {
namespace {

constexpr SwitchItem kAdapterItems[] = {SwitchItem::IP, SwitchItem::DnsServer, SwitchItem::DnsDomain,
                                        SwitchItem::WinsServer};

bool IsTicked(const TSetRecord& set, SwitchItem item) {
  switch (item) {
  case SwitchItem::IP: return set.EnableIP;
  case SwitchItem::DnsServer: return set.DnsServer;
  case SwitchItem::DnsDomain: return set.DnsDomain;
  case SwitchItem::WinsServer: return set.WinsServer;
  default: return false;
  }
}

std::string ReplaceAll(std::string text, std::string_view mark, const std::string& value) {
  for (std::size_t at = text.find(mark); at != std::string::npos; at = text.find(mark, at + value.size()))
    text.replace(at, mark.size(), value);
  return text;
}

// The adapters in the order of the sets that name a network on them.
std::vector<std::string> AdaptersNamed(const std::vector<TSwitchableSet>& sets) {
  std::vector<std::string> adapters;
  for (const TSwitchableSet& set : sets) {
    if (!set.AdapterGuid.empty() && NamesNetwork(set.Network.Network) &&
        std::ranges::find(adapters, set.AdapterGuid) == adapters.end())
      adapters.push_back(set.AdapterGuid);
  }
  return adapters;
}

std::string Captions(const std::vector<TSwitchableSet>& sets, const std::vector<int>& indexes) {
  std::string joined;
  for (const int index : indexes) {
    if (!joined.empty())
      joined += ", ";
    joined += sets[static_cast<std::size_t>(index)].Caption;
  }
  return joined;
}

} // namespace

std::vector<TSwitchableSet> ReadSwitchableSets(ProfileFile& file, const std::vector<std::string>& captions,
                                               const std::vector<std::string>& adapterList) {
  std::vector<TSwitchableSet> sets;
  for (std::size_t i = 0; i < captions.size(); ++i) {
    const int index = static_cast<int>(i);
    TSwitchableSet set{index, captions[i], LoadSet(file, index), LoadSetNetwork(file, index), {}};
    set.AdapterGuid = AdapterGuidAt(adapterList, ChooseAdapter(set.Set, adapterList));
    sets.push_back(std::move(set));
  }
  return sets;
}

bool IsInEffect(const TSetRecord& set, const IpConfig& present) {
  bool ticked = false;
  for (const SwitchItem item : kAdapterItems) {
    if (!IsTicked(set, item))
      continue;
    if (ReadBackMismatch(item, set, present))
      return false;
    ticked = true;
  }
  return ticked;
}

bool NetworkSwitcher::ReadPresent(const std::string& guid, IpConfig& present) {
  try {
    ReadIpConfig(FSystem.GetRegistry(), guid, present);
    return true;
  } catch (...) {
    return false; // a damaged registry value: nothing to compare with
  }
}

TTrayMarks NetworkSwitcher::Marks(const std::vector<std::string>& captions,
                                  const std::vector<std::string>& adapterList) {
  TTrayMarks marks;
  marks.ThisNetwork = FThisNetwork;
  std::map<std::string, std::optional<IpConfig>> present;
  for (const TSwitchableSet& set : ReadSwitchableSets(FFile, captions, adapterList)) {
    if (set.AdapterGuid.empty())
      continue;
    if (!present.contains(set.AdapterGuid)) {
      IpConfig config;
      present[set.AdapterGuid] = ReadPresent(set.AdapterGuid, config) ? std::optional(config) : std::nullopt;
    }
    const std::optional<IpConfig>& config = present[set.AdapterGuid];
    if (!config || !IsInEffect(set.Set, *config))
      continue;
    if (marks.InEffect.empty())
      marks.Tip = ReplaceAll(LoadText(TextId::TrayTipInEffect), "%1", set.Caption) +
                  (config->IPAddress.empty() ? std::string()
                                             : ReplaceAll(LoadText(TextId::TrayTipAddress), "%1", config->IPAddress));
    marks.InEffect.push_back(set.Index);
  }
  if (marks.InEffect.empty())
    marks.Tip = LoadText(TextId::TrayTip);
  return marks;
}

std::map<std::string, TNetworkSignature> IdentifyAdapters(NetworkIdentity& identity,
                                                          const std::vector<std::string>& adapters) {
  std::map<std::string, TNetworkSignature> seen;
  for (const std::string& guid : adapters)
    seen[guid] = identity.Seen(guid);
  return seen;
}

std::vector<std::string> NetworkSwitcher::AdaptersToIdentify(const std::vector<std::string>& captions,
                                                             const std::vector<std::string>& adapterList) {
  return AdaptersNamed(ReadSwitchableSets(FFile, captions, adapterList));
}

TNetworkStep NetworkSwitcher::Settled(const std::vector<std::string>& captions,
                                      const std::vector<std::string>& adapterList, bool enabled, bool busy,
                                      const std::map<std::string, TNetworkSignature>& seenByAdapter) {
  if (busy)
    return {.Retry = true};
  const std::vector<TSwitchableSet> sets = ReadSwitchableSets(FFile, captions, adapterList);
  const std::vector<std::string> adapters = AdaptersNamed(sets);
  TNetworkStep step;
  std::vector<int> thisNetwork;
  for (const std::string& guid : adapters) {
    std::vector<TNetworkSet> candidates;
    TSwitchingState state{enabled, false, {}};
    IpConfig present;
    const bool read = ReadPresent(guid, present);
    for (const TSwitchableSet& set : sets) {
      if (set.AdapterGuid != guid)
        continue;
      if (NamesNetwork(set.Network.Network))
        candidates.push_back({set.Index, set.Network.Network, set.Network.Mode});
      if (read && IsInEffect(set.Set, present))
        state.SetsInEffect.push_back(set.Index);
    }
    const auto found = seenByAdapter.find(guid);
    const TNetworkSignature seen = found == seenByAdapter.end() ? TNetworkSignature() : found->second;
    for (const TNetworkSet& candidate : candidates) {
      if (MatchesNetwork(candidate.Network, seen))
        thisNetwork.push_back(candidate.Index);
    }
    const TNetworkDecision decision = FWatches[guid].Decide(seen, candidates, state);
    // The first adapter with something to do; the others' networks are
    // spent all the same, so that one change never leads to two switches.
    if (step.Action != TNetworkAction::Nothing || decision.Action == TNetworkAction::Nothing)
      continue;
    step.Action = decision.Action;
    step.Sets = decision.Sets;
  }
  std::ranges::sort(thisNetwork);
  FThisNetwork = std::move(thisNetwork);
  if (step.Action == TNetworkAction::Ask)
    step.Text = ReplaceAll(LoadText(TextId::NetworkFound), "%1", sets[static_cast<std::size_t>(step.Sets[0])].Caption);
  else if (step.Action == TNetworkAction::AskAmong)
    step.Text = ReplaceAll(LoadText(TextId::NetworksFound), "%1", Captions(sets, step.Sets));
  return step;
}

} // namespace quorvin

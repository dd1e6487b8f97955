#include "switching/SwitchThread.h"

#include "base/Texts.h"
#include "switching/AdapterReadBack.h"
#include "switching/IpSet.h"

#include <exception>
#include <optional>

namespace quorvin {

namespace {

constexpr SwitchItem kOrder[kSwitchItemCount] = {
    SwitchItem::IP,       SwitchItem::DnsServer,      SwitchItem::ProxyServer, SwitchItem::ComputerName,
    SwitchItem::Workgroup, SwitchItem::DefaultPrinter, SwitchItem::DnsDomain,   SwitchItem::WinsServer};

bool IsAdapterItem(SwitchItem item) {
  return item == SwitchItem::IP || item == SwitchItem::DnsServer || item == SwitchItem::DnsDomain ||
         item == SwitchItem::WinsServer;
}

// The proxy item's line for a run of the helper that did not end with 0.
// A helper that outran its time may still write later, possibly after a
// later switch's helper: the item fails, so the setting is not trusted.
std::optional<std::string> HelperFailure(const ProcessRun& run) {
  if (run.End != ProcessEnd::Exited)
    return "Failed!";
  if (run.ExitCode != 0)
    return "Error code " + std::to_string(run.ExitCode);
  return std::nullopt;
}

} // namespace

void SwitchSession::Detach() {
  std::lock_guard lock(FMutex);
  FView = nullptr;
}

SwitchView* SwitchSession::View() const {
  std::lock_guard lock(FMutex);
  return FView;
}

void SwitchSession::NotifyDone(bool failed) {
  std::lock_guard lock(FMutex);
  if (FView)
    FView->SwitchDone(failed);
}

TSwitchInput MakeSwitchInput(const TSetRecord& set, const std::array<std::string, kSwitchItemCount>& itemNames,
                             const TAdapterEntry& adapter) {
  return TSwitchInput{set, itemNames, adapter.Mac, adapter.Guid};
}

std::string StartingCaption() { return LoadText(TextId::ApplyNewSettings) + "..."; }

std::string ItemCaption(const std::string& itemName) {
  return LoadText(TextId::ApplyNewSettings) + " [ " + itemName + " ] ...";
}

std::string FailureHeading() { return LoadText(TextId::FailureHeading); }

TSwitchThread::TSwitchThread(TSwitchInput input, std::shared_ptr<SwitchSession> session,
                             UiDispatcher& dispatcher, ManagementService& adapters, SwitchHost& host)
    : FInput(std::move(input)), FSession(std::move(session)), FDispatcher(dispatcher), FAdapters(adapters),
      FHost(host) {}

bool TSwitchThread::IsTicked(SwitchItem item) const {
  const TSetRecord& set = FInput.Set;
  switch (item) {
  case SwitchItem::IP: return set.EnableIP;
  case SwitchItem::DnsServer: return set.DnsServer;
  case SwitchItem::ProxyServer: return set.ProxyServer;
  case SwitchItem::ComputerName: return set.ComputerName;
  case SwitchItem::Workgroup: return set.Workgroup;
  case SwitchItem::DefaultPrinter: return set.DefaultPrinter;
  case SwitchItem::DnsDomain: return set.DnsDomain;
  case SwitchItem::WinsServer: return set.WinsServer;
  }
  return false;
}

const std::string& TSwitchThread::Name(SwitchItem item) const {
  return FInput.ItemNames[static_cast<std::size_t>(item)];
}

void TSwitchThread::ToView(const std::function<void(SwitchView&)>& change) {
  FDispatcher.RunSync([&] {
    if (SwitchView* view = FSession->View())
      change(*view);
  });
}

void TSwitchThread::WriteLine(SwitchItem item, const std::string& text) {
  const std::string line = "[ " + Name(item) + " ]: " + text;
  ++FLineCount;
  ToView([&](SwitchView& view) {
    view.AppendLine(line);
    view.AppendLine("");
  });
}

void TSwitchThread::Execute() noexcept {
  bool completed = true;
  bool failed = false;
  try {
    completed = ApplyItems();
    failed = FLineCount > 0;
  } catch (...) {
    // The UI thread cannot be reached (or could not show a text): nothing
    // more can be applied or shown, but the end is still told, as a failure.
    failed = true;
  }
  if (completed)
    FSession->NotifyDone(failed);
  FSession->MarkFinished();
  FDispatcher.Wake();
}

// False when a stop request ended the run.
bool TSwitchThread::ApplyItems() {
  if (FSession->StopRequested())
    return false;
  ToView([](SwitchView& view) { view.SetStatus(StartingCaption()); });
  for (SwitchItem item : kOrder) {
    if (FSession->StopRequested())
      return false;
    if (!IsTicked(item))
      continue;
    ToView([&](SwitchView& view) { view.SetStatus(ItemCaption(Name(item))); });
    // An error (the management service out of reach, a registry value that
    // cannot be written) fails this item only; the others are still applied.
    // A failed hand-over ends the run.
    try {
      Apply(item);
    } catch (const DispatchError&) {
      throw;
    } catch (const std::exception& error) {
      WriteLine(item, error.what());
    }
    // The adapter needs a moment after its address changed, whatever the
    // outcome.
    if (item == SwitchItem::IP)
      FHost.PumpWait(kPauseAfterIpMs);
  }
  ReadBack();
  if (FLineCount > 0)
    ToView([](SwitchView& view) { view.InsertHeading(FailureHeading()); });
  return true;
}

void TSwitchThread::Apply(SwitchItem item) {
  const TSetRecord& set = FInput.Set;
  if (IsAdapterItem(item)) {
    if (ApplyAdapterItem(item))
      FAccepted.push_back(item);
    return;
  }
  switch (item) {
  case SwitchItem::ProxyServer:
    ApplyProxy();
    break;
  case SwitchItem::ComputerName:
    if (!FHost.SetHostName(set.ComputerNameText))
      WriteLine(item, "Failed!");
    break;
  case SwitchItem::Workgroup:
    if (const std::uint32_t status = FHost.JoinWorkgroup(set.WorkgroupText); status != 0)
      WriteLine(item, "Error code " + std::to_string(status));
    break;
  case SwitchItem::DefaultPrinter:
    if (!FHost.MakeDefaultPrinter(set.Printer))
      WriteLine(item, "Failed!");
    break;
  default:
    break;
  }
}

bool TSwitchThread::ApplyAdapterItem(SwitchItem item) {
  std::int32_t code = 0;
  FDispatcher.RunSync([&] { code = RunAdapterStep(item); });
  if (code != 0)
    WriteLine(item, std::string(IpSetResultText(code)));
  return code == 0;
}

// An item that already has a line (a refusal, an error, also code 1, whose
// change waits for a restart) is not read back.
void TSwitchThread::ReadBack() {
  if (FAccepted.empty() || FInput.AdapterGuid.empty())
    return;
  IpConfig present;
  std::optional<std::string> failure;
  FDispatcher.RunSync([&] {
    try {
      present = FHost.ReadAdapterConfig(FInput.AdapterGuid);
    } catch (const std::exception& error) {
      failure = error.what();
    }
  });
  for (SwitchItem item : FAccepted) {
    // Settings that cannot be read back are not known to be in effect.
    if (failure)
      WriteLine(item, LoadText(TextId::LoadCurrentFailed) + " " + *failure);
    else if (const auto mismatch = ReadBackMismatch(item, FInput.Set, present))
      WriteLine(item, *mismatch);
  }
}

// Runs on the UI thread.
std::int32_t TSwitchThread::RunAdapterStep(SwitchItem item) {
  const TSetRecord& set = FInput.Set;
  const std::string& mac = FInput.AdapterMac;
  switch (item) {
  case SwitchItem::IP:
    if (set.AutoIP)
      return SetAdapterIP(FAdapters, "", "", "", mac);
    if (set.Gateway.empty()) {
      // Only a switch to DHCP drops the gateways the adapter had.
      SetAdapterIP(FAdapters, "", "", "", mac);
      FHost.PumpWait(kPauseAfterIpMs);
    }
    return SetAdapterIP(FAdapters, set.IP, set.Gateway, set.SubnetMask, mac);
  case SwitchItem::DnsServer:
    if (set.AutoDnsServer)
      return SetAdapterDNS(FAdapters, "", "", mac);
    return SetAdapterDNS(FAdapters, set.PreferredDns, set.AlternateDns, mac);
  case SwitchItem::DnsDomain:
    return SetAdapterDNSDomain(FAdapters, set.DnsDomainText, mac);
  case SwitchItem::WinsServer:
    return SetAdapterWINS(FAdapters, set.PrimaryWins, set.SecondaryWins, mac);
  default:
    return 0;
  }
}

void TSwitchThread::ApplyProxy() {
  const TSetRecord& set = FInput.Set;
  if (FHost.GetOsVersionCode() == kOsVersionNt6OrLater) {
    const ProcessRun run = FHost.RunProxyHelper(set.UseProxyServer, set.ProxyAddress, set.ProxyPort);
    if (const auto failure = HelperFailure(run))
      WriteLine(SwitchItem::ProxyServer, *failure);
  } else {
    FHost.ApplyProxyInProcess(set.UseProxyServer, set.ProxyAddress, set.ProxyPort);
  }
}

} // namespace quorvin

#include "app/UndoRecord.h"

#include "store/MemoryProfileFile.h"
#include "system/HostOperations.h"
#include "system/ProxySettings.h"

namespace quorvin {
namespace {

constexpr char kUndoSection[] = "Undo";
constexpr char kQuestionSection[] = "Question";

bool AnyAdapterItem(const TSetRecord& set) { return set.EnableIP || set.DnsServer || set.DnsDomain || set.WinsServer; }

} // namespace

TPresentState ReadPresentState(SystemServices& system, const TSetRecord& applied) {
  TPresentState present;
  if (AnyAdapterItem(applied))
    ReadIpConfig(system.GetRegistry(), applied.NetworkAdapterGuid, present.Adapter);
  if (applied.ProxyServer) {
    const ProxyAddress proxy = GetProxyFor(system.Host(), "http");
    present.UseProxy = proxy.Port != 0;
    if (present.UseProxy) {
      present.ProxyAddress = proxy.Server;
      present.ProxyPort = std::to_string(proxy.Port);
    }
  }
  if (applied.ComputerName)
    present.ComputerName = GetComputerNameText(system.Host());
  if (applied.Workgroup)
    present.Workgroup = GetWorkgroupName(system.Host());
  if (applied.DefaultPrinter)
    present.Printer = GetDefaultPrinter(system.Host());
  return present;
}

TSetRecord RecordBefore(const TSetRecord& applied, const TPresentState& present) {
  TSetRecord record;
  record.Caption = applied.Caption;
  record.NetworkAdapter = applied.NetworkAdapter;
  record.NetworkAdapterGuid = applied.NetworkAdapterGuid;
  const IpConfig& adapter = present.Adapter;
  if ((record.EnableIP = applied.EnableIP)) {
    record.AutoIP = adapter.DhcpEnabled;
    record.UseIP = !adapter.DhcpEnabled;
    if (record.UseIP) {
      record.IP = adapter.IPAddress;
      record.SubnetMask = adapter.SubnetMask;
      record.Gateway = adapter.DefaultGateway;
    }
  }
  if ((record.DnsServer = applied.DnsServer)) {
    record.AutoDnsServer = adapter.AutoDns;
    record.UseDnsServer = !adapter.AutoDns;
    if (record.UseDnsServer) {
      record.PreferredDns = adapter.PreferredDns;
      record.AlternateDns = adapter.AlternateDns;
    }
  }
  if ((record.ProxyServer = applied.ProxyServer)) {
    record.UseProxyServer = present.UseProxy;
    record.ProxyAddress = present.ProxyAddress;
    record.ProxyPort = present.ProxyPort;
  }
  if ((record.ComputerName = applied.ComputerName))
    record.ComputerNameText = present.ComputerName;
  if ((record.Workgroup = applied.Workgroup))
    record.WorkgroupText = present.Workgroup;
  if ((record.DefaultPrinter = applied.DefaultPrinter))
    record.Printer = present.Printer;
  if ((record.DnsDomain = applied.DnsDomain))
    record.DnsDomainText = adapter.DnsDomain;
  if ((record.WinsServer = applied.WinsServer)) {
    record.PrimaryWins = adapter.PrimaryWins;
    record.SecondaryWins = adapter.SecondaryWins;
  }
  return record;
}

bool AnyRecordedItemDiffers(const TSetRecord& record, const TPresentState& present, bool adapterOnly) {
  TSetRecord looked = record;
  if (adapterOnly)
    looked.ProxyServer = looked.ComputerName = looked.Workgroup = looked.DefaultPrinter = false;
  return RecordBefore(looked, present) != looked;
}

std::string UndoFileBytes(const TSetRecord& record, bool questionOpen) {
  MemoryProfileFile file;
  SaveSetTo(file, kUndoSection, record);
  if (questionOpen)
    file.WriteString(kQuestionSection, "Open", "1");
  return file.Bytes();
}

std::optional<TUndoFile> ParseUndoFile(std::string_view bytes) {
  MemoryProfileFile file{std::string(bytes)};
  // The adapter's GUID is the section's last key: a record cut short by
  // anything but the whole-file write is no record.
  if (!IniDocument(std::string(bytes)).Read(kUndoSection, "NetworkAdapterGuid"))
    return std::nullopt;
  return TUndoFile{LoadSetFrom(file, kUndoSection, TSetRecord{}), file.ReadString(kQuestionSection, "Open", "0") == "1"};
}

} // namespace quorvin

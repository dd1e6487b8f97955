#include "system/sim/SimulatedNetwork.h"

#include "base/AsciiCase.h"
#include "base/QuorvinError.h"
#include "store/FileIo.h"
#include "store/IniDocument.h"
#include "system/AdapterList.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace quorvin {
namespace {

constexpr std::string_view kHost = "Host";
constexpr std::string_view kNetwork = "Network";
constexpr std::string_view kWindows = "Windows";

std::string AdapterSection(std::size_t index) { return "Adapter" + std::to_string(index); }
std::string PrinterSection(std::size_t index) { return "Printer" + std::to_string(index); }

class Reader {
public:
  explicit Reader(const IniDocument& document) : FDocument(document) {}

  std::string Text(std::string_view section, std::string_view key,
                   std::string_view fallback = {}) const {
    return FDocument.Read(section, key).value_or(std::string(fallback));
  }

  std::uint32_t Number(std::string_view section, std::string_view key,
                       std::uint32_t fallback) const {
    const auto text = FDocument.Read(section, key);
    if (!text || text->empty())
      return fallback;
    char* end = nullptr;
    const unsigned long value = std::strtoul(text->c_str(), &end, 10);
    if (*end != '\0')
      return fallback;
    return value > 0xFFFFFFFFul ? 0xFFFFFFFFu : static_cast<std::uint32_t>(value);
  }

  bool Flag(std::string_view section, std::string_view key, bool fallback) const {
    const auto text = FDocument.Read(section, key);
    if (!text || text->empty())
      return fallback;
    const std::string lower = LowerAscii(*text);
    if (lower == "1" || lower == "true" || lower == "yes")
      return true;
    if (lower == "0" || lower == "false" || lower == "no")
      return false;
    return fallback;
  }

  std::vector<std::string> List(std::string_view section, std::string_view key) const {
    std::vector<std::string> items;
    const std::string all = Text(section, key);
    std::string_view rest = all;
    while (!rest.empty()) {
      const auto comma = rest.find(',');
      const std::string_view item = TrimBlanks(rest.substr(0, comma));
      if (!item.empty())
        items.emplace_back(item);
      if (comma == std::string_view::npos)
        break;
      rest.remove_prefix(comma + 1);
    }
    return items;
  }

private:
  const IniDocument& FDocument;
};

// A value that the profile functions would read back changed (outer quotes,
// outer blanks) is written in quotes; every text of the file goes through
// here, so that a save and a new load give back what was loaded.
std::string Quoted(const std::string& value) {
  if (value.empty() || (TrimBlanks(value).size() == value.size() &&
                        !(value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                          value.back() == value.front())))
    return value;
  return '"' + value + '"';
}

std::string DefaultGuid(std::size_t index) {
  char text[40];
  std::snprintf(text, sizeof text, "{5143A1D0-0000-4000-8000-%012zX}", index);
  return text;
}

SimulatedAdapter LoadAdapter(const Reader& reader, std::size_t index) {
  const std::string section = AdapterSection(index);
  SimulatedAdapter adapter;
  adapter.ConnectionName = reader.Text(section, "ConnectionName");
  adapter.Description = reader.Text(section, "Description");
  const std::string mac = reader.Text(section, "MAC");
  if (!mac.empty()) {
    auto bytes = ParseMac(mac);
    if (!bytes)
      throw QuorvinError("network.ini: [" + section + "] MAC=" + mac + " is no MAC address");
    adapter.Mac = std::move(*bytes);
  }
  adapter.Guid = UpperAscii(reader.Text(section, "GUID", DefaultGuid(index)));
  adapter.ComboIndex = reader.Number(section, "ComboIndex", static_cast<std::uint32_t>(index));
  adapter.IpEnabled = reader.Flag(section, "IPEnabled", true);
  adapter.DhcpEnabled = reader.Flag(section, "DHCPEnabled", true);
  adapter.IpAddresses = reader.List(section, "IPAddress");
  adapter.SubnetMasks = reader.List(section, "SubnetMask");
  adapter.Gateways = reader.List(section, "DefaultGateway");
  adapter.DnsServers = reader.List(section, "DNSServers");
  adapter.DnsDomain = reader.Text(section, "DNSDomain");
  adapter.PrimaryWins = reader.Text(section, "WINSPrimary");
  adapter.SecondaryWins = reader.Text(section, "WINSSecondary");
  adapter.NotApplied = reader.List(section, "NotApplied");
  adapter.GatewayAnswers = reader.Flag(section, "GatewayAnswers", false);
  adapter.GatewayMac = reader.Text(section, "GatewayMAC");
  adapter.Ssid = reader.Text(section, "SSID");
  adapter.DhcpDnsSuffix = reader.Text(section, "DNSSuffix");
  adapter.DhcpGateway = reader.Text(section, "DHCPGateway");
  return adapter;
}

void StoreAdapter(IniDocument& document, const SimulatedAdapter& adapter, std::size_t index) {
  const std::string section = AdapterSection(index);
  document.Write(section, "ConnectionName", Quoted(adapter.ConnectionName));
  document.Write(section, "Description", Quoted(adapter.Description));
  document.Write(section, "MAC", adapter.MacText());
  document.Write(section, "GUID", Quoted(adapter.Guid));
  document.Write(section, "ComboIndex", std::to_string(adapter.ComboIndex));
  document.Write(section, "IPEnabled", adapter.IpEnabled ? "1" : "0");
  document.Write(section, "DHCPEnabled", adapter.DhcpEnabled ? "1" : "0");
  document.Write(section, "IPAddress", Quoted(JoinList(adapter.IpAddresses)));
  document.Write(section, "SubnetMask", Quoted(JoinList(adapter.SubnetMasks)));
  document.Write(section, "DefaultGateway", Quoted(JoinList(adapter.Gateways)));
  document.Write(section, "DNSServers", Quoted(JoinList(adapter.DnsServers)));
  document.Write(section, "DNSDomain", Quoted(adapter.DnsDomain));
  document.Write(section, "WINSPrimary", Quoted(adapter.PrimaryWins));
  document.Write(section, "WINSSecondary", Quoted(adapter.SecondaryWins));
  document.Write(section, "NotApplied", JoinList(adapter.NotApplied));
}

// Removes the sections numbered from count up to the first number that has none.
void EraseSectionsFrom(IniDocument& document, std::string (*name)(std::size_t), std::size_t count,
                       std::string_view probeKey) {
  for (std::size_t index = count; document.Read(name(index), probeKey); ++index)
    document.EraseSection(name(index));
}

} // namespace

std::string SimulatedAdapter::MacText() const { return FormatMac(Mac); }

SimulatedNetwork::SimulatedNetwork(std::string folder) : FFolder(std::move(folder)) { Reload(); }

std::string SimulatedNetwork::FilePath() const {
  return (std::filesystem::path(FFolder) / std::string(kFileName)).string();
}

void SimulatedNetwork::Reload() {
  const IniDocument document(ReadWholeFile(FilePath()).value_or(std::string()));
  const Reader reader(document);
  SimulatedHostState host;
  host.ComputerName = reader.Text(kHost, "ComputerName", host.ComputerName);
  host.Workgroup = reader.Text(kHost, "Workgroup", host.Workgroup);
  const std::uint32_t printerCount = std::min(reader.Number(kHost, "PrinterCount", 0), kMaxPrinterCount);
  for (std::uint32_t index = 0; index < printerCount; ++index) {
    SimulatedPrinter printer;
    printer.Name = reader.Text(PrinterSection(index), "Name");
    printer.Device = reader.Text(PrinterSection(index), "Device", printer.Device);
    host.Printers.push_back(std::move(printer));
  }
  host.DefaultDevice = reader.Text(kWindows, "Device");
  host.ProgramAccess = reader.Text(kHost, "ProgramAccess", host.ProgramAccess);

  std::vector<SimulatedAdapter> adapters;
  const std::uint32_t adapterCount = std::min(reader.Number(kNetwork, "AdapterCount", 0), kMaxAdapterCount);
  for (std::uint32_t index = 0; index < adapterCount; ++index)
    adapters.push_back(LoadAdapter(reader, index));

  Adapters = std::move(adapters);
  Host = std::move(host);
}

void SimulatedNetwork::Save() const {
  IniDocument document(ReadWholeFile(FilePath()).value_or(std::string()));
  document.Write(kHost, "ComputerName", Quoted(Host.ComputerName));
  document.Write(kHost, "Workgroup", Quoted(Host.Workgroup));
  document.Write(kHost, "PrinterCount", std::to_string(Host.Printers.size()));
  for (std::size_t index = 0; index < Host.Printers.size(); ++index) {
    document.Write(PrinterSection(index), "Name", Quoted(Host.Printers[index].Name));
    document.Write(PrinterSection(index), "Device", Quoted(Host.Printers[index].Device));
  }
  EraseSectionsFrom(document, PrinterSection, Host.Printers.size(), "Name");
  document.Write(kWindows, "Device", Quoted(Host.DefaultDevice));

  document.Write(kNetwork, "AdapterCount", std::to_string(Adapters.size()));
  for (std::size_t index = 0; index < Adapters.size(); ++index)
    StoreAdapter(document, Adapters[index], index);
  EraseSectionsFrom(document, AdapterSection, Adapters.size(), "ConnectionName");
  WriteFileAtomically(FilePath(), document.Bytes());
}

SimulatedAdapter* SimulatedNetwork::FindByMac(std::string_view macText) {
  const auto wanted = ParseMac(macText);
  if (!wanted)
    return nullptr;
  for (auto& adapter : Adapters)
    if (adapter.Mac == *wanted)
      return &adapter;
  return nullptr;
}

SimulatedAdapter* SimulatedNetwork::FindByGuid(std::string_view guid) {
  const std::string wanted = LowerAscii(guid);
  for (auto& adapter : Adapters)
    if (LowerAscii(adapter.Guid) == wanted)
      return &adapter;
  return nullptr;
}

std::string JoinList(const std::vector<std::string>& items) {
  std::string text;
  for (const auto& item : items) {
    if (!text.empty())
      text += ',';
    text += item;
  }
  return text;
}

TSimulationSettings ReadSimulationSettings(const std::string& executableFolder) {
  const auto bytes = ReadWholeFile((std::filesystem::path(executableFolder) / kSimulationFileName).string());
  if (!bytes)
    return {};
  const IniDocument document(*bytes);
  const auto path = [&](std::string_view key) -> std::optional<std::string> {
    const auto value = document.Read("Simulation", key);
    if (!value || value->empty())
      return std::nullopt;
    const std::filesystem::path given(*value);
    // "C:\x" and "\\server\x" are absolute on Windows; a POSIX path starts at "/".
    const bool absolute = given.is_absolute() || given.has_root_name() || given.has_root_directory() ||
                          (value->size() >= 2 && (*value)[1] == ':') || (*value)[0] == '\\';
    return absolute ? *value : (std::filesystem::path(executableFolder) / given).string();
  };
  TSimulationSettings settings;
  settings.Folder = path("Folder");
  settings.ReadyFile = path("ReadyFile");
  return settings;
}

const TSimulationSettings& SimulationSettings() {
  static const TSimulationSettings settings = ReadSimulationSettings(GetExecutableFolder());
  return settings;
}

std::optional<std::string> SimulationFolder() { return SimulationSettings().Folder; }

std::optional<std::vector<std::uint8_t>> ParseMac(std::string_view text) {
  auto digit = [](char c) -> int {
    if (c >= '0' && c <= '9')
      return c - '0';
    if (c >= 'a' && c <= 'f')
      return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
      return c - 'A' + 10;
    return -1;
  };
  text = TrimBlanks(text);
  std::vector<std::uint8_t> bytes;
  for (std::size_t at = 0; at < text.size(); at += 3) {
    if (at + 2 > text.size())
      return std::nullopt;
    const int high = digit(text[at]);
    const int low = digit(text[at + 1]);
    if (high < 0 || low < 0)
      return std::nullopt;
    bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
    if (at + 2 < text.size() && text[at + 2] != ':' && text[at + 2] != '-')
      return std::nullopt;
    if (at + 2 == text.size() - 1)
      return std::nullopt; // a separator at the end
  }
  if (bytes.empty())
    return std::nullopt;
  return bytes;
}

} // namespace quorvin

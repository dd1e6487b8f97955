#include "system/IpConfig.h"

#include "base/QuorvinError.h"

namespace quorvin {
namespace {

bool IsStringOrNumber(std::uint32_t type) {
  return type == RegistryType::String || type == RegistryType::ExpandString ||
         type == RegistryType::Dword || type == RegistryType::Qword;
}

std::string FirstString(Registry& registry, std::string_view keyPath, std::string_view valueName) {
  std::vector<std::string> strings;
  ReadMultiString(registry, keyPath, valueName, strings);
  return strings.empty() ? std::string() : strings.front();
}

void SplitNameServer(std::string_view nameServer, IpConfig& config) {
  config.AutoDns = nameServer.empty();
  const auto comma = nameServer.find(',');
  config.PreferredDns = std::string(nameServer.substr(0, comma));
  config.AlternateDns =
      comma == std::string_view::npos ? std::string() : std::string(nameServer.substr(comma + 1));
}

} // namespace

void ReadIpConfig(Registry& registry, std::string_view identifier, IpConfig& config) {
  const std::string tcpipPath = std::string(kTcpipInterfacesPath) + std::string(identifier);
  if (auto key = registry.Open(RegistryRoot::LocalMachine, tcpipPath, RegistryAccess::Read, false)) {
    config.DhcpEnabled = key->ReadInteger("EnableDHCP") != 0;
    config.IPAddress.clear();
    config.SubnetMask.clear();
    config.DefaultGateway.clear();
    SplitNameServer(key->ReadString("NameServer"), config);
    config.DnsDomain = key->ReadString("Domain");
  }
  if (!config.DhcpEnabled) {
    config.IPAddress = FirstString(registry, tcpipPath, "IPAddress");
    config.SubnetMask = FirstString(registry, tcpipPath, "SubnetMask");
    config.DefaultGateway = FirstString(registry, tcpipPath, "DefaultGateway");
  }

  config.PrimaryWins.clear();
  config.SecondaryWins.clear();
  std::vector<std::string> wins;
  ReadMultiString(registry, std::string(kNetbtInterfacesPath) + std::string(identifier),
                  "NameServerList", wins);
  if (!wins.empty())
    config.PrimaryWins = wins[0];
  if (wins.size() >= 2)
    config.SecondaryWins = wins[1];
}

void ReadMultiString(Registry& registry, std::string_view keyPath, std::string_view valueName,
                     std::vector<std::string>& list) {
  const auto key = OpenRegistryKey(registry, RegistryRoot::LocalMachine, keyPath,
                                   RegistryAccess::Read, false);
  if (!key)
    return;
  const RegistryValue value = key->Query(valueName);
  if (!value.Found())
    return;
  if (IsStringOrNumber(value.Type) || value.Data.size() > kMultiStringBufferSize)
    throw QuorvinError(FormatText("Invalid data type for '%s'", valueName));
  std::string_view rest = value.Data;
  while (!rest.empty()) {
    const auto end = rest.find('\0');
    const std::string_view text = rest.substr(0, end);
    if (text.empty())
      break;
    list.emplace_back(text);
    if (end == std::string_view::npos)
      break;
    rest.remove_prefix(end + 1);
  }
}

} // namespace quorvin

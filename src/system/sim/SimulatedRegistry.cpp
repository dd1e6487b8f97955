#include "system/sim/SimulatedRegistry.h"

#include "base/AsciiCase.h"
#include "system/IpConfig.h"
#include "system/sim/InMemoryRegistry.h"
#include "system/sim/SimulatedNetwork.h"

#include <optional>

namespace quorvin {
namespace {

// The rest of path after prefix, compared without regard to case.
std::optional<std::string_view> After(std::string_view path, std::string_view prefix) {
  if (path.size() <= prefix.size() || LowerAscii(path.substr(0, prefix.size())) != LowerAscii(prefix))
    return std::nullopt;
  return path.substr(prefix.size());
}

std::string Text(std::string_view text) {
  std::string data(text);
  data.push_back('\0');
  return data;
}

void FillTcpip(RegistryKey& key, const SimulatedAdapter& adapter) {
  const std::uint32_t dhcp = adapter.DhcpEnabled ? 1 : 0;
  key.Set("EnableDHCP", RegistryType::Dword,
          std::string_view(reinterpret_cast<const char*>(&dhcp), sizeof dhcp));
  key.Set("IPAddress", RegistryType::MultiString, EncodeMultiString(adapter.IpAddresses));
  key.Set("SubnetMask", RegistryType::MultiString, EncodeMultiString(adapter.SubnetMasks));
  key.Set("DefaultGateway", RegistryType::MultiString, EncodeMultiString(adapter.Gateways));
  key.Set("NameServer", RegistryType::String, Text(JoinList(adapter.DnsServers)));
  key.Set("Domain", RegistryType::String, Text(adapter.DnsDomain));
}

void FillNetbt(RegistryKey& key, const SimulatedAdapter& adapter) {
  std::vector<std::string> servers;
  for (const auto* server : {&adapter.PrimaryWins, &adapter.SecondaryWins})
    if (!server->empty())
      servers.push_back(*server);
  key.Set("NameServerList", RegistryType::MultiString, EncodeMultiString(servers));
}

} // namespace

SimulatedRegistry::SimulatedRegistry(std::string folder, Registry& base)
    : FFolder(std::move(folder)), FBase(base) {}

std::unique_ptr<RegistryKey> SimulatedRegistry::Open(RegistryRoot root, std::string_view path,
                                                     RegistryAccess access, bool create) {
  if (root == RegistryRoot::LocalMachine) {
    const auto tcpip = After(path, kTcpipInterfacesPath);
    const auto netbt = After(path, kNetbtInterfacesPath);
    if (tcpip || netbt) {
      SimulatedNetwork network(FFolder);
      if (const SimulatedAdapter* adapter = network.FindByGuid(tcpip ? *tcpip : *netbt)) {
        // A snapshot of the derived values; the key object outlives it.
        InMemoryRegistry snapshot;
        auto key = snapshot.Open(root, path, RegistryAccess::ReadWrite, true);
        if (tcpip)
          FillTcpip(*key, *adapter);
        else
          FillNetbt(*key, *adapter);
        snapshot.RefuseWrites(root, path);
        return key;
      }
    }
  }
  return FBase.Open(root, path, access, create);
}

} // namespace quorvin

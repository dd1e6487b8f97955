#include "switching/IpSet.h"

#include "base/AsciiCase.h"
#include "switching/IpSetQuery.h"

#include <exception>
#include <functional>
#include <string>

namespace quorvin {

namespace {

using AdapterStep = std::function<std::int32_t(ManagedObject&)>;

// 0 and 1 are successes (1 asks for a restart); anything else refused.
int Weight(std::int32_t code) { return code == 0 ? 0 : code == 1 ? 1 : 2; }

// Runs step on every matching adapter configuration. Every match is
// configured, but what the caller hears is the worst answer: a refusal over
// a restart request over a clean success, and among refusals the first. A
// later success must not hide an adapter that was left unconfigured.
std::int32_t ConfigureAdapters(ManagementService& service, std::string_view mac,
                               const AdapterStep& step) {
  if (!IsAdapterMacText(mac))
    return kNoMatchingAdapter;
  const auto session = service.Connect();
  const auto cursor = session->ExecQuery(AdapterQueryText(mac));
  std::int32_t result = kNoMatchingAdapter;
  bool first = true;
  while (const auto adapter = cursor->Next()) {
    std::int32_t code;
    try {
      code = step(*adapter);
    } catch (const std::exception&) {
      code = kMethodCallError;
    }
    if (first || Weight(code) > Weight(result))
      result = code;
    first = false;
  }
  return result;
}

} // namespace

bool SwitchesToDhcp(std::string_view ip) { return ip.empty() || EqualsIgnoringCase(ip, "DHCP"); }

TextList ServerList(std::string_view first, std::string_view second) {
  TextList servers;
  for (const std::string_view server : {first, second})
    if (!server.empty())
      servers.emplace_back(server);
  return servers;
}

std::int32_t SetAdapterIP(ManagementService& service, std::string_view ip, std::string_view gateway,
                          std::string_view mask, std::string_view mac) {
  const MethodArguments staticArguments{
      TextList{std::string(ip)}, TextList{std::string(mask.empty() ? kDefaultSubnetMask : mask)}};
  const MethodArguments gatewayArguments{TextList{std::string(gateway)}};
  const bool dhcp = SwitchesToDhcp(ip);
  const bool withGateway = !gateway.empty();
  return ConfigureAdapters(service, mac, [&](ManagedObject& adapter) {
    if (dhcp)
      return adapter.CallMethod("EnableDHCP", {});
    const std::int32_t code = adapter.CallMethod("EnableStatic", staticArguments);
    // 1 also means the address was taken, but it asks for a restart first;
    // the gateway waits for a clean success.
    if (code != 0 || !withGateway)
      return code;
    return adapter.CallMethod("SetGateways", gatewayArguments);
  });
}

std::int32_t SetAdapterDNS(ManagementService& service, std::string_view preferred,
                           std::string_view alternate, std::string_view mac) {
  const TextList servers = ServerList(preferred, alternate);
  const MethodArguments arguments{servers.empty() ? MethodArgument{OmittedArgument{}}
                                                  : MethodArgument{servers}};
  return ConfigureAdapters(service, mac, [&](ManagedObject& adapter) {
    return adapter.CallMethod("SetDNSServerSearchOrder", arguments);
  });
}

std::int32_t SetAdapterDNSDomain(ManagementService& service, std::string_view domain,
                                 std::string_view mac) {
  const MethodArguments arguments{std::string(domain)};
  return ConfigureAdapters(service, mac, [&](ManagedObject& adapter) {
    return adapter.CallMethod("SetDNSDomain", arguments);
  });
}

std::int32_t SetAdapterWINS(ManagementService& service, std::string_view primary,
                            std::string_view secondary, std::string_view mac) {
  const MethodArguments arguments{std::string(primary), std::string(secondary)};
  return ConfigureAdapters(service, mac, [&](ManagedObject& adapter) {
    return adapter.CallMethod("SetWinsServer", arguments);
  });
}

} // namespace quorvin

#include "switching/sim/SimulatedAdapterMethods.h"

#include "base/AsciiCase.h"
#include "base/QuorvinError.h"
#include "switching/DottedQuad.h"

#include <algorithm>
#include <bit>
#include <functional>
#include <map>

namespace quorvin {

namespace {

constexpr std::int32_t kSuccess = 0;
constexpr std::int32_t kNotSupported = 64;
constexpr std::int32_t kInvalidMask = 66;
constexpr std::int32_t kInvalidParameter = 68;
constexpr std::int32_t kTooManyGateways = 69;
constexpr std::int32_t kInvalidAddress = 70;
constexpr std::int32_t kInvalidGateway = 71;
constexpr std::int32_t kInvalidDomain = 73;
constexpr std::size_t kMaxGateways = 5;

// The real service refuses a call whose arguments do not fit its
// parameters before the method runs; the caller sees a failed call.
[[noreturn]] void WrongArguments(std::string_view method) {
  throw QuorvinError("Type mismatch in a call of " + std::string(method));
}

void ExpectCount(const MethodArguments& arguments, std::size_t least, std::size_t most,
                 std::string_view method) {
  if (arguments.size() < least || arguments.size() > most)
    WrongArguments(method);
}

const TextList& ListAt(const MethodArguments& arguments, std::size_t index,
                       std::string_view method) {
  const auto* list = std::get_if<TextList>(&arguments[index]);
  if (!list)
    WrongArguments(method);
  return *list;
}

const std::string& TextAt(const MethodArguments& arguments, std::size_t index,
                          std::string_view method) {
  const auto* text = std::get_if<std::string>(&arguments[index]);
  if (!text)
    WrongArguments(method);
  return *text;
}

// Ones from the top, then zeros; at least one bit set.
bool IsSubnetMask(std::string_view text) {
  const auto value = ParseDottedQuad(text);
  return value && *value != 0 && std::countl_one(*value) + std::countr_zero(*value) == 32;
}

bool AllDottedQuads(const TextList& texts) {
  return std::all_of(texts.begin(), texts.end(), [](const std::string& t) { return IsDottedQuad(t); });
}

bool IsDomainName(std::string_view name) {
  if (name.size() > 255)
    return false;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = std::min(name.find('.', start), name.size());
    const std::string_view label = name.substr(start, end - start);
    if (label.empty() || label.size() > 63 || label.front() == '-' || label.back() == '-')
      return false;
    for (const char c : label)
      if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-'))
        return false;
    if (end == name.size())
      return true;
    start = end + 1;
  }
}

std::int32_t EnableDhcp(SimulatedAdapter& adapter, const MethodArguments& arguments) {
  ExpectCount(arguments, 0, 0, "EnableDHCP");
  adapter.DhcpEnabled = true;
  // The switch relies on this to drop a gateway before it sets an address
  // without one.
  adapter.IpAddresses.clear();
  adapter.SubnetMasks.clear();
  adapter.Gateways.clear();
  return kSuccess;
}

std::int32_t EnableStatic(SimulatedAdapter& adapter, const MethodArguments& arguments) {
  ExpectCount(arguments, 2, 2, "EnableStatic");
  const TextList& addresses = ListAt(arguments, 0, "EnableStatic");
  const TextList& masks = ListAt(arguments, 1, "EnableStatic");
  if (!AllDottedQuads(addresses))
    return kInvalidAddress;
  if (!std::all_of(masks.begin(), masks.end(), [](const std::string& m) { return IsSubnetMask(m); }))
    return kInvalidMask;
  if (addresses.empty() || addresses.size() != masks.size())
    return kInvalidParameter;
  adapter.DhcpEnabled = false;
  adapter.IpAddresses = addresses;
  adapter.SubnetMasks = masks;
  return kSuccess;
}

std::int32_t SetGateways(SimulatedAdapter& adapter, const MethodArguments& arguments) {
  // The second parameter, the cost metrics, is taken but not kept.
  ExpectCount(arguments, 1, 2, "SetGateways");
  const TextList& gateways = ListAt(arguments, 0, "SetGateways");
  if (adapter.DhcpEnabled)
    return kNotSupported;
  if (gateways.size() > kMaxGateways)
    return kTooManyGateways;
  if (!AllDottedQuads(gateways))
    return kInvalidGateway;
  adapter.Gateways = gateways;
  return kSuccess;
}

std::int32_t SetDnsServerSearchOrder(SimulatedAdapter& adapter, const MethodArguments& arguments) {
  ExpectCount(arguments, 0, 1, "SetDNSServerSearchOrder");
  if (arguments.empty() || std::holds_alternative<OmittedArgument>(arguments[0])) {
    adapter.DnsServers.clear();
    return kSuccess;
  }
  const TextList& servers = ListAt(arguments, 0, "SetDNSServerSearchOrder");
  if (!AllDottedQuads(servers))
    return kInvalidAddress;
  adapter.DnsServers = servers;
  return kSuccess;
}

std::int32_t SetDnsDomain(SimulatedAdapter& adapter, const MethodArguments& arguments) {
  ExpectCount(arguments, 1, 1, "SetDNSDomain");
  const std::string& domain = TextAt(arguments, 0, "SetDNSDomain");
  if (!domain.empty() && !IsDomainName(domain))
    return kInvalidDomain;
  adapter.DnsDomain = domain;
  return kSuccess;
}

std::int32_t SetWinsServer(SimulatedAdapter& adapter, const MethodArguments& arguments) {
  ExpectCount(arguments, 2, 2, "SetWINSServer");
  const std::string& primary = TextAt(arguments, 0, "SetWINSServer");
  const std::string& secondary = TextAt(arguments, 1, "SetWINSServer");
  for (const std::string& server : {primary, secondary})
    if (!server.empty() && !IsDottedQuad(server))
      return kInvalidAddress;
  adapter.PrimaryWins = primary;
  adapter.SecondaryWins = secondary;
  return kSuccess;
}

std::string Upper(std::string_view text) {
  return UpperAscii(text);
}

using Method = std::function<std::int32_t(SimulatedAdapter&, const MethodArguments&)>;

const std::map<std::string, Method>& Methods() {
  static const std::map<std::string, Method> methods{
      {"ENABLEDHCP", EnableDhcp},
      {"ENABLESTATIC", EnableStatic},
      {"SETGATEWAYS", SetGateways},
      {"SETDNSSERVERSEARCHORDER", SetDnsServerSearchOrder},
      {"SETDNSDOMAIN", SetDnsDomain},
      {"SETWINSSERVER", SetWinsServer},
  };
  return methods;
}

} // namespace

bool IsDottedQuad(std::string_view text) { return ParseDottedQuad(text).has_value(); }

std::int32_t CallSimulatedAdapterMethod(SimulatedAdapter& adapter, std::string_view method,
                                        const MethodArguments& arguments) {
  const auto found = Methods().find(Upper(method));
  if (found == Methods().end())
    throw QuorvinError("Unknown method " + std::string(method));
  const bool applied = std::none_of(adapter.NotApplied.begin(), adapter.NotApplied.end(),
                                    [&](const std::string& name) { return EqualsIgnoringCase(name, method); });
  if (applied)
    return found->second(adapter, arguments);
  SimulatedAdapter discarded = adapter; // the change goes nowhere
  return found->second(discarded, arguments);
}

} // namespace quorvin

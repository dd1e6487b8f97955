#include "switching/sim/SimulatedAdapterMethods.h"

#include "base/AsciiCase.h"
#include "base/QuorvinError.h"
#include "switching/DottedQuad.h"

#include <algorithm>
#include <bit>
#include <iterator>
#include <variant>

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

// A method's arguments as the real service takes them: a call whose
// arguments do not fit the method's parameters is refused before the method
// runs, and the caller sees a failed call.
class Arguments {
public:
  Arguments(const MethodArguments& values, std::string_view method) : FValues(values), FMethod(method) {}

  std::size_t Count() const { return FValues.size(); }
  bool Omitted(std::size_t index) const { return std::holds_alternative<OmittedArgument>(FValues[index]); }
  const TextList& List(std::size_t index) const { return At<TextList>(index); }
  const std::string& Text(std::size_t index) const { return At<std::string>(index); }
  [[noreturn]] void Refuse() const { throw QuorvinError("Type mismatch in a call of " + std::string(FMethod)); }

private:
  template <class T> const T& At(std::size_t index) const {
    const auto* value = std::get_if<T>(&FValues[index]);
    if (!value)
      Refuse();
    return *value;
  }

  const MethodArguments& FValues;
  std::string_view FMethod;
};

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

std::int32_t EnableDhcp(SimulatedAdapter& adapter, const Arguments&) {
  adapter.DhcpEnabled = true;
  // The switch relies on this to drop a gateway before it sets an address
  // without one.
  adapter.IpAddresses.clear();
  adapter.SubnetMasks.clear();
  adapter.Gateways.clear();
  return kSuccess;
}

std::int32_t EnableStatic(SimulatedAdapter& adapter, const Arguments& arguments) {
  const TextList& addresses = arguments.List(0);
  const TextList& masks = arguments.List(1);
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

std::int32_t SetGateways(SimulatedAdapter& adapter, const Arguments& arguments) {
  // The second parameter, the cost metrics, is taken but not kept.
  const TextList& gateways = arguments.List(0);
  if (adapter.DhcpEnabled)
    return kNotSupported;
  if (gateways.size() > kMaxGateways)
    return kTooManyGateways;
  if (!AllDottedQuads(gateways))
    return kInvalidGateway;
  adapter.Gateways = gateways;
  return kSuccess;
}

std::int32_t SetDnsServerSearchOrder(SimulatedAdapter& adapter, const Arguments& arguments) {
  if (arguments.Count() == 0 || arguments.Omitted(0)) {
    adapter.DnsServers.clear();
    return kSuccess;
  }
  const TextList& servers = arguments.List(0);
  if (!AllDottedQuads(servers))
    return kInvalidAddress;
  adapter.DnsServers = servers;
  return kSuccess;
}

std::int32_t SetDnsDomain(SimulatedAdapter& adapter, const Arguments& arguments) {
  const std::string& domain = arguments.Text(0);
  if (!domain.empty() && !IsDomainName(domain))
    return kInvalidDomain;
  adapter.DnsDomain = domain;
  return kSuccess;
}

std::int32_t SetWinsServer(SimulatedAdapter& adapter, const Arguments& arguments) {
  const std::string& primary = arguments.Text(0);
  const std::string& secondary = arguments.Text(1);
  for (const std::string& server : {primary, secondary})
    if (!server.empty() && !IsDottedQuad(server))
      return kInvalidAddress;
  adapter.PrimaryWins = primary;
  adapter.SecondaryWins = secondary;
  return kSuccess;
}

// The methods by name, with how many arguments each takes.
struct Method {
  std::string_view Name;
  std::size_t LeastArguments;
  std::size_t MostArguments;
  std::int32_t (*Run)(SimulatedAdapter&, const Arguments&);
};

constexpr Method kMethods[] = {
    {"EnableDHCP", 0, 0, EnableDhcp},     {"EnableStatic", 2, 2, EnableStatic},
    {"SetGateways", 1, 2, SetGateways},   {"SetDNSServerSearchOrder", 0, 1, SetDnsServerSearchOrder},
    {"SetDNSDomain", 1, 1, SetDnsDomain}, {"SetWINSServer", 2, 2, SetWinsServer},
};

} // namespace

bool IsDottedQuad(std::string_view text) { return ParseDottedQuad(text).has_value(); }

std::int32_t CallSimulatedAdapterMethod(SimulatedAdapter& adapter, std::string_view method,
                                        const MethodArguments& arguments) {
  const auto found = std::find_if(std::begin(kMethods), std::end(kMethods),
                                  [&](const Method& known) { return EqualsIgnoringCase(known.Name, method); });
  if (found == std::end(kMethods))
    throw QuorvinError("Unknown method " + std::string(method));
  const Arguments checked(arguments, found->Name);
  if (arguments.size() < found->LeastArguments || arguments.size() > found->MostArguments)
    checked.Refuse();
  const bool applied = std::none_of(adapter.NotApplied.begin(), adapter.NotApplied.end(),
                                    [&](const std::string& name) { return EqualsIgnoringCase(name, method); });
  if (applied)
    return found->Run(adapter, checked);
  SimulatedAdapter discarded = adapter; // the change goes nowhere
  return found->Run(discarded, checked);
}

} // namespace quorvin

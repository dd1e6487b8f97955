// The simulated network's file network.ini, whatever it holds: it loads (or
// is refused for a MAC that is no MAC), and what was loaded survives a save
// and a new load unchanged; so does what a method of the simulated adapter
// configuration changed, and a refused call changes nothing.
#include "fuzz/FuzzCheck.h"

#include "base/QuorvinError.h"
#include "switching/sim/SimulatedAdapterMethods.h"
#include "system/sim/SimulatedNetwork.h"
#include "support/TempFolder.h"

#include <array>
#include <string>
#include <tuple>

using namespace quorvin;

namespace {

auto Fields(const SimulatedAdapter& a) {
  return std::tie(a.ConnectionName, a.Description, a.Mac, a.Guid, a.ComboIndex, a.IpEnabled, a.DhcpEnabled,
                  a.IpAddresses, a.SubnetMasks, a.Gateways, a.DnsServers, a.DnsDomain, a.PrimaryWins,
                  a.SecondaryWins);
}

bool SameNetwork(const SimulatedNetwork& a, const SimulatedNetwork& b) {
  if (a.Host.ComputerName != b.Host.ComputerName || a.Host.Workgroup != b.Host.Workgroup ||
      a.Host.DefaultDevice != b.Host.DefaultDevice || a.Host.Printers.size() != b.Host.Printers.size() ||
      a.Adapters.size() != b.Adapters.size())
    return false;
  for (std::size_t i = 0; i < a.Host.Printers.size(); ++i)
    if (a.Host.Printers[i].Name != b.Host.Printers[i].Name || a.Host.Printers[i].Device != b.Host.Printers[i].Device)
      return false;
  for (std::size_t i = 0; i < a.Adapters.size(); ++i)
    if (Fields(a.Adapters[i]) != Fields(b.Adapters[i]))
      return false;
  return true;
}

constexpr std::array<std::string_view, 7> kMethods{"EnableDHCP",    "EnableStatic",  "SetGateways",
                                                   "SetDNSServerSearchOrder", "SetDNSDomain",
                                                   "SetWINSServer", "setdnsdomain"};

MethodArgument Argument(FuzzedDataProvider& data) {
  switch (data.ConsumeIntegralInRange(0, 2)) {
  case 0:
    return data.ConsumeRandomLengthString(20);
  case 1: {
    TextList list(data.ConsumeIntegralInRange<std::size_t>(0, 6));
    for (auto& item : list)
      item = data.ConsumeRandomLengthString(16);
    return list;
  }
  default:
    return OmittedArgument{};
  }
}

void CallMethod(FuzzedDataProvider& data, SimulatedNetwork& network) {
  SimulatedAdapter& adapter = network.Adapters[data.ConsumeIntegralInRange<std::size_t>(0, network.Adapters.size() - 1)];
  const std::string_view method = kMethods[data.ConsumeIntegralInRange<std::size_t>(0, kMethods.size() - 1)];
  MethodArguments arguments(data.ConsumeIntegralInRange<std::size_t>(0, 3));
  for (auto& argument : arguments)
    argument = Argument(data);
  const SimulatedAdapter before = adapter;
  std::int32_t result = -1;
  try {
    result = CallSimulatedAdapterMethod(adapter, method, arguments);
  } catch (const QuorvinError&) {
  }
  if (result != 0)
    FUZZ_CHECK(Fields(adapter) == Fields(before));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  static const std::string folder = fuzz::ScratchFolder();
  FuzzedDataProvider data(bytes, size);
  test::WriteBytes(folder + "/network.ini", data.ConsumeRandomLengthString(8192));
  std::optional<SimulatedNetwork> network;
  try {
    network.emplace(folder);
  } catch (const QuorvinError&) {
    return 0; // a MAC that is no MAC
  }
  if (!network->Adapters.empty() && data.ConsumeBool())
    CallMethod(data, *network);
  network->Save();
  const SimulatedNetwork reloaded(folder);
  FUZZ_CHECK(SameNetwork(*network, reloaded));
  return 0;
}

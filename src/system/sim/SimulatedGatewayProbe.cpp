#include "system/sim/SimulatedGatewayProbe.h"

#include "system/sim/SimulatedNetwork.h"

#include <algorithm>

namespace quorvin {

bool SimulatedGatewayProbe::Answers(const std::string& address, unsigned) {
  try {
    const SimulatedNetwork network(FFolder);
    return std::any_of(network.Adapters.begin(), network.Adapters.end(), [&](const SimulatedAdapter& adapter) {
      return adapter.GatewayAnswers &&
             std::find(adapter.Gateways.begin(), adapter.Gateways.end(), address) != adapter.Gateways.end();
    });
  } catch (...) {
    // A file that cannot be read (a MAC that is no MAC) cannot be asked:
    // the probe's answer is then "no", as for an unreachable system.
    return false;
  }
}

} // namespace quorvin

#include "system/SystemServices.h"

#include "system/sim/InMemoryGatewayProbe.h"
#include "system/sim/InMemoryHost.h"
#include "system/sim/InMemoryRegistry.h"
#include "system/sim/InMemoryTaskScheduler.h"

namespace quorvin {
namespace {

// Off Windows there is no machine to ask: no connections at all.
class NoNetwork final : public NetworkInfo {
public:
  std::optional<std::vector<ConnectionRecord>> Connections() override { return std::nullopt; }
  std::vector<AdapterRecord> Adapters() override { return {}; }
};

} // namespace

std::unique_ptr<SystemServices> CreatePlatformServices() {
  return std::make_unique<SystemServices>(std::make_unique<InMemoryRegistry>(),
                                          std::make_unique<NoNetwork>(),
                                          std::make_unique<InMemoryHost>(),
                                          std::make_unique<InMemoryTaskScheduler>(),
                                          std::make_unique<InMemoryGatewayProbe>());
}

} // namespace quorvin

#include "switching/IpSetService.h"

#include "base/QuorvinError.h"

namespace quorvin {

namespace {

class UnreachableManagementService : public ManagementService {
public:
  std::unique_ptr<ManagementSession> Connect() override {
    throw QuorvinError("No management service on this platform; only simulation mode (simulate.ini) has one");
  }
};

} // namespace

std::unique_ptr<ManagementService> CreatePlatformManagementService() {
  return std::make_unique<UnreachableManagementService>();
}

} // namespace quorvin

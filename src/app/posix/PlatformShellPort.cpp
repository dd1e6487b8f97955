#include "app/ShellPort.h"

namespace quorvin {
namespace {

// Off Windows there is no shell to hand a page to; only the simulation
// records what would have opened.
class NoShellPort final : public ShellPort {
public:
  void Open(const std::string&, const std::string&) override {}
};

} // namespace

std::unique_ptr<ShellPort> CreatePlatformShellPort() { return std::make_unique<NoShellPort>(); }

} // namespace quorvin

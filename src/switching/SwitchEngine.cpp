#include "switching/SwitchEngine.h"

namespace quorvin {

SwitchEngine::SwitchEngine(const SwitchEngineParts& parts)
    : FApartment(parts.Apartment ? parts.Apartment() : nullptr), FDispatcher(parts.Dispatcher()),
      FSystem(parts.System()), FAdapters(parts.Adapters()), FHost(parts.Host(*FSystem)),
      FThreads(std::make_unique<SwitchThreads>(*FDispatcher, *FAdapters, *FHost)) {}

// The members' own order would do; spelt out, so that a reordering of the
// declarations cannot release the dispatcher under a running switch.
SwitchEngine::~SwitchEngine() {
  FThreads.reset();
  FHost.reset();
  FAdapters.reset();
  FSystem.reset();
  FDispatcher.reset();
  FApartment.reset();
}

} // namespace quorvin

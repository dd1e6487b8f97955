#pragma once
// The objects that a switch needs, created in one place in this order and
// destroyed in reverse:
//   1. the apartment (COM on the UI thread), which everything below may use;
//   2. the UI dispatcher, through which runs reach the UI thread;
//   3. the system services and the management service;
//   4. the switch host, over the system services;
//   5. the switch threads, which use all of the above.
// So the switch threads go first: their destructor waits for a running
// switch, pumping the dispatcher that the run still needs, before the
// services it calls and COM are released.

#include "switching/ManagementSession.h"
#include "switching/SwitchThreads.h"
#include "system/SystemServices.h"

#include <functional>
#include <memory>

namespace quorvin {

struct SwitchEngineParts {
  // Anything held until the very end; empty where there is no COM.
  std::function<std::shared_ptr<void>()> Apartment;
  std::function<std::unique_ptr<UiDispatcher>()> Dispatcher;
  std::function<std::unique_ptr<SystemServices>()> System;
  std::function<std::unique_ptr<ManagementService>()> Adapters;
  std::function<std::unique_ptr<SwitchHost>(SystemServices&)> Host;
};

class SwitchEngine {
public:
  // UI thread. Creates the parts in the order above.
  explicit SwitchEngine(const SwitchEngineParts& parts);
  ~SwitchEngine();
  SwitchEngine(const SwitchEngine&) = delete;
  SwitchEngine& operator=(const SwitchEngine&) = delete;

  UiDispatcher& Dispatcher() const { return *FDispatcher; }
  SystemServices& System() const { return *FSystem; }
  ManagementService& Adapters() const { return *FAdapters; }
  SwitchHost& Host() const { return *FHost; }
  SwitchThreads& Threads() const { return *FThreads; }

private:
  // Declared in creation order: members are destroyed in reverse.
  std::shared_ptr<void> FApartment;
  std::unique_ptr<UiDispatcher> FDispatcher;
  std::unique_ptr<SystemServices> FSystem;
  std::unique_ptr<ManagementService> FAdapters;
  std::unique_ptr<SwitchHost> FHost;
  std::unique_ptr<SwitchThreads> FThreads;
};

} // namespace quorvin

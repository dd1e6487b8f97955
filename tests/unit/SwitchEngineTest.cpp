// The order in which a switch's objects come and go, and what it means for
// a switch that is still running when they go.

#include "switching/SwitchEngine.h"

#include "support/SampleSets.h"
#include "support/SwitchFakes.h"
#include "system/sim/InMemoryHost.h"
#include "system/sim/InMemoryRegistry.h"
#include "system/sim/InMemoryTaskScheduler.h"

#include <gtest/gtest.h>

namespace quorvin {
namespace {

constexpr const char* kMac = "00:11:22:33:44:55";
using Log = std::vector<std::string>;

// Wraps a part so that its creation and its release are written to the log.
template <typename Part>
class Logged : public Part {
public:
  template <typename... Arguments>
  Logged(Log& log, std::string name, Arguments&&... arguments)
      : Part(std::forward<Arguments>(arguments)...), FLog(log), FName(std::move(name)) {
    FLog.push_back("+" + FName);
  }
  ~Logged() override { FLog.push_back("-" + FName); }

private:
  Log& FLog;
  std::string FName;
};

class NoNetwork : public NetworkInfo {
public:
  std::optional<std::vector<ConnectionRecord>> Connections() override { return std::nullopt; }
  std::vector<AdapterRecord> Adapters() override { return {}; }
};

// A queue dispatcher that can be logged.
class PumpedDispatcher : public UiDispatcher {
public:
  void RunSync(const std::function<void()>& task) override { FInner.RunSync(task); }
  void PumpUntil(const std::function<bool()>& done) override { FInner.PumpUntil(done); }
  void Wake() override { FInner.Wake(); }

private:
  QueueDispatcher FInner;
};

struct EngineLab {
  Log Order;
  test::HookedService* Service = nullptr;
  test::FakeHost* Host = nullptr;

  SwitchEngineParts Parts() {
    SwitchEngineParts parts;
    parts.Apartment = [this] {
      Order.push_back("+apartment");
      return std::shared_ptr<void>(nullptr, [this](void*) { Order.push_back("-apartment"); });
    };
    parts.Dispatcher = [this] {
      return std::make_unique<Logged<PumpedDispatcher>>(Order, "dispatcher");
    };
    parts.System = [this] {
      // The services go with their network port.
      return std::make_unique<SystemServices>(std::make_unique<InMemoryRegistry>(),
                                              std::make_unique<Logged<NoNetwork>>(Order, "system"),
                                              std::make_unique<InMemoryHost>(),
                                              std::make_unique<InMemoryTaskScheduler>());
    };
    parts.Adapters = [this] {
      auto service = std::make_unique<Logged<test::HookedService>>(Order, "adapters");
      service->Inner.AddAdapter({kMac, true, {}, {}});
      Service = service.get();
      return service;
    };
    parts.Host = [this](SystemServices&) {
      auto host = std::make_unique<Logged<test::FakeHost>>(Order, "host");
      Host = host.get();
      return host;
    };
    return parts;
  }
};

TEST(SwitchEngine, CreatesInOrderAndReleasesInReverse) {
  EngineLab lab;
  { SwitchEngine engine(lab.Parts()); }
  EXPECT_EQ(lab.Order, (Log{"+apartment", "+dispatcher", "+system", "+adapters", "+host", "-host", "-adapters",
                            "-system", "-dispatcher", "-apartment"}));
}

// Nothing has pumped since the start, so the run cannot have ended: it
// needs the UI thread even for its first caption. Its last adapter step
// still runs, through a dispatcher that is still there.
TEST(SwitchEngine, ARunningSwitchEndsBeforeAnythingItUsesIsReleased) {
  EngineLab lab;
  test::FakeView view;
  {
    SwitchEngine engine(lab.Parts());
    lab.Host->OnWorkgroup = [&] { lab.Order.push_back("workgroup"); };
    lab.Service->OnConnect = [&](int step) { lab.Order.push_back("adapter step " + std::to_string(step)); };
    TSwitchInput input{{}, test::DefaultItemNames(), kMac, {}};
    input.Set.EnableIP = input.Set.Workgroup = input.Set.WinsServer = true;
    input.Set.IP = "10.0.0.5";
    input.Set.Gateway = "10.0.0.1";
    engine.Threads().Start(input, &view);
  }
  EXPECT_EQ(view.DoneCount, 1);
  EXPECT_FALSE(view.Failed);
  const Log tail(lab.Order.begin() + 5, lab.Order.end());
  EXPECT_EQ(tail, (Log{"adapter step 1", "workgroup", "adapter step 2", "-host", "-adapters", "-system",
                       "-dispatcher", "-apartment"}));
}

} // namespace
} // namespace quorvin

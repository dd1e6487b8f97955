// The switch's own cost: a whole run of all eight items, started as the
// program starts it (SwitchThreads, one thread per run, the UI thread
// pumping the dispatcher), against a management service that answers at
// once and a host whose pauses return at once and whose adapter reads back
// as asked. What is left is the switch itself: the hand-overs, the captions,
// the queries and argument lists, the read-back, the thread. Divided by
// eight, it is the overhead per item.

#include "base/QueueDispatcher.h"
#include "support/SampleSets.h"
#include "switching/IpSetQuery.h"
#include "switching/SwitchThreads.h"

#include <benchmark/benchmark.h>

#include <utility>

namespace {

using namespace quorvin;

constexpr const char* kMac = "00:11:22:33:44:55";

class InstantAdapter : public ManagedObject {
public:
  std::int32_t CallMethod(const std::string&, const MethodArguments&) override { return 0; }
};

// Every adapter query finds the one adapter.
class InstantCursor : public ManagedObjectCursor {
public:
  std::unique_ptr<ManagedObject> Next() override {
    return std::exchange(FGiven, true) ? nullptr : std::make_unique<InstantAdapter>();
  }

private:
  bool FGiven = false;
};

class InstantSession : public ManagementSession {
public:
  std::unique_ptr<ManagedObjectCursor> ExecQuery(const std::string& query) override {
    benchmark::DoNotOptimize(MacOfAdapterQuery(query));
    return std::make_unique<InstantCursor>();
  }
};

class InstantService : public ManagementService {
public:
  std::unique_ptr<ManagementSession> Connect() override { return std::make_unique<InstantSession>(); }
};

// Everything succeeds, and the adapter reads back as the set asked.
class InstantHost : public SwitchHost {
public:
  explicit InstantHost(const TSetRecord& set) : FPresent(test::AdapterAsAsked(set)) {}
  bool SetHostName(const std::string&) override { return true; }
  std::uint32_t JoinWorkgroup(const std::string&) override { return 0; }
  bool MakeDefaultPrinter(const std::string&) override { return true; }
  void ApplyProxyInProcess(bool, const std::string&, const std::string&) override {}
  ProcessRun RunProxyHelper(bool, const std::string&, const std::string&) override { return {ProcessEnd::Exited}; }
  int GetOsVersionCode() override { return kOsVersionNt6OrLater; }
  void PumpWait(unsigned) override {}
  IpConfig ReadAdapterConfig(const std::string&) override { return FPresent; }

private:
  IpConfig FPresent;
};

// The progress dialog: keeps what a dialog would show.
class ShownView : public SwitchView {
public:
  void SetStatus(const std::string& caption) override { FStatus = caption; }
  void AppendLine(const std::string& line) override { FLines += line; }
  void InsertHeading(const std::string& heading) override { FLines.insert(0, heading); }
  void SwitchDone(bool failed) override { FFailed = failed; }
  bool Failed() const { return FFailed; }

private:
  std::string FStatus;
  std::string FLines;
  bool FFailed = false;
};

// Every item ticked; a fixed address without a gateway, so that both
// pauses (and the switch to DHCP before the address) come into the run.
TSwitchInput AllItems() {
  TSwitchInput input = test::SampleInput(kMac);
  input.AdapterGuid = "{6B2C9A1E-0D3F-4E8A-9C71-2F5B8D4A1E30}";
  test::TickAllItems(input.Set);
  input.Set.Gateway.clear();
  input.Set.SecondaryWins = "10.0.0.6";
  return input;
}

void SwitchOfEightItems(benchmark::State& state) {
  const TSwitchInput input = AllItems();
  QueueDispatcher dispatcher;
  InstantService service;
  InstantHost host(input.Set);
  SwitchThreads threads(dispatcher, service, host);
  for (auto _ : state) {
    ShownView view;
    const auto session = threads.Start(input, &view);
    dispatcher.PumpUntil([&] { return session->Finished(); });
    session->Detach();
    if (view.Failed()) {
      state.SkipWithError("the run wrote failure lines: the doubles no longer answer as asked");
      break;
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kSwitchItemCount));
}
BENCHMARK(SwitchOfEightItems)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

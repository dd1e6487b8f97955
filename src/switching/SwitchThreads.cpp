#include "switching/SwitchThreads.h"

#include <algorithm>

namespace quorvin {

SwitchThreads::SwitchThreads(UiDispatcher& dispatcher, ManagementService& adapters, SwitchHost& host)
    : FDispatcher(dispatcher), FAdapters(adapters), FHost(host) {}

SwitchThreads::~SwitchThreads() { WaitAll(); }

std::shared_ptr<SwitchSession> SwitchThreads::Start(TSwitchInput input, SwitchView* view) {
  JoinFinished();
  auto session = std::make_shared<SwitchSession>(view);
  // The thread holds its own reference: the session outlives the dialog.
  std::thread thread([body = std::make_shared<TSwitchThread>(std::move(input), session, FDispatcher,
                                                             FAdapters, FHost)] { body->Execute(); });
  FRuns.push_back(Run{session, std::move(thread)});
  return session;
}

bool SwitchThreads::AnyRunning() const {
  return std::any_of(FRuns.begin(), FRuns.end(), [](const Run& run) { return !run.Session->Finished(); });
}

void SwitchThreads::JoinFinished() {
  for (auto it = FRuns.begin(); it != FRuns.end();) {
    if (it->Session->Finished()) {
      it->Thread.join();
      it = FRuns.erase(it);
    } else {
      ++it;
    }
  }
}

void SwitchThreads::WaitAll() {
  FDispatcher.PumpUntil([this] { return !AnyRunning(); });
  JoinFinished();
}

} // namespace quorvin

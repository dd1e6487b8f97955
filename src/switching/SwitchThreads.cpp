#include "switching/SwitchThreads.h"

#include <algorithm>

namespace quorvin {

SwitchThreads::SwitchThreads(UiDispatcher& dispatcher, ManagementService& adapters, SwitchHost& host,
                             ThreadStarter startThread)
    : FDispatcher(dispatcher), FAdapters(adapters), FHost(host), FStartThread(std::move(startThread)) {
  if (!FStartThread)
    FStartThread = [](std::function<void()> body) { return std::thread(std::move(body)); };
}

SwitchThreads::~SwitchThreads() { WaitForEarlierRuns(); }

std::shared_ptr<SwitchSession> SwitchThreads::Start(TSwitchInput input, SwitchView* view) {
  JoinFinished();
  auto session = std::make_shared<SwitchSession>(view);
  // The thread holds its own reference: the session outlives the dialog.
  FRuns.reserve(FRuns.size() + 1); // a started thread must find its place
  auto body = std::make_shared<TSwitchThread>(std::move(input), session, FDispatcher, FAdapters, FHost);
  std::thread thread = FStartThread([body] { body->Execute(); });
  FRuns.push_back(Run{session, std::move(thread)});
  return session;
}

bool SwitchThreads::AllFinished() const {
  return std::all_of(FRuns.begin(), FRuns.end(), [](const Run& run) { return run.Session->Finished(); });
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

// A run wakes the dispatcher as it ends (TSwitchThread::Execute).
void SwitchThreads::WaitForEarlierRuns(const std::function<void()>& whileWaiting) {
  if (!AllFinished()) {
    if (whileWaiting)
      whileWaiting();
    FDispatcher.PumpUntil([this] { return AllFinished(); });
  }
  JoinFinished();
}

} // namespace quorvin

#pragma once
// Starts switch threads and keeps them until they have ended, so that a new
// switch and the program's exit can wait for an earlier one. UI thread only.

#include "switching/SwitchThread.h"

#include <functional>
#include <thread>
#include <vector>

namespace quorvin {

class SwitchThreads {
public:
  // Starts a thread for a body; throws when it cannot (std::thread by default).
  using ThreadStarter = std::function<std::thread(std::function<void()> body)>;

  SwitchThreads(UiDispatcher& dispatcher, ManagementService& adapters, SwitchHost& host,
                ThreadStarter startThread = nullptr);
  ~SwitchThreads(); // waits like WaitForEarlierRuns
  SwitchThreads(const SwitchThreads&) = delete;
  SwitchThreads& operator=(const SwitchThreads&) = delete;

  // Starts a run for the dialog behind view; the session is the dialog's
  // handle on it (stop, detach). Throws when no thread can be started.
  std::shared_ptr<SwitchSession> Start(TSwitchInput input, SwitchView* view);

  // Before a new run, and at exit: when an earlier run is still going (one
  // whose dialog was closed by its close box), calls whileWaiting once (the
  // window shows its hourglass there) and pumps the UI thread, which that
  // run may need, until every run has ended; then joins them.
  void WaitForEarlierRuns(const std::function<void()>& whileWaiting = nullptr);
  // A run has not ended yet (its dialog may be closed already).
  bool Running() const { return !AllFinished(); }

private:
  struct Run {
    std::shared_ptr<SwitchSession> Session;
    std::thread Thread;
  };
  bool AllFinished() const;
  void JoinFinished();

  UiDispatcher& FDispatcher;
  ManagementService& FAdapters;
  SwitchHost& FHost;
  ThreadStarter FStartThread;
  std::vector<Run> FRuns;
};

} // namespace quorvin

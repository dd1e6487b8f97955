#pragma once
// Starts switch threads and keeps them until they have ended, so that the
// program can wait for a running switch before it releases COM at exit.
// UI thread only.

#include "switching/SwitchThread.h"

#include <thread>
#include <vector>

namespace quorvin {

class SwitchThreads {
public:
  SwitchThreads(UiDispatcher& dispatcher, ManagementService& adapters, SwitchHost& host);
  ~SwitchThreads(); // waits like WaitAll
  SwitchThreads(const SwitchThreads&) = delete;
  SwitchThreads& operator=(const SwitchThreads&) = delete;

  // Starts a run for the dialog behind view; the session is the dialog's
  // handle on it (stop, detach).
  std::shared_ptr<SwitchSession> Start(TSwitchInput input, SwitchView* view);

  bool AnyRunning() const;

  // Pumps the UI thread (a running switch may be waiting on it) until every
  // started thread has ended, then joins them.
  void WaitAll();

private:
  struct Run {
    std::shared_ptr<SwitchSession> Session;
    std::thread Thread;
  };
  void JoinFinished();

  UiDispatcher& FDispatcher;
  ManagementService& FAdapters;
  SwitchHost& FHost;
  std::vector<Run> FRuns;
};

} // namespace quorvin

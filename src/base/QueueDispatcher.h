#pragma once
// A UiDispatcher whose "UI thread" is whichever thread created it and calls
// PumpUntil: tasks wait in a queue until that thread pumps. Used by tests
// and by code that runs without windows.

#include "base/UiDispatcher.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>

namespace quorvin {

class QueueDispatcher final : public UiDispatcher {
public:
  QueueDispatcher();
  ~QueueDispatcher() override;
  QueueDispatcher(const QueueDispatcher&) = delete;
  QueueDispatcher& operator=(const QueueDispatcher&) = delete;

  void RunSync(const std::function<void()>& task) override;
  void PumpUntil(const std::function<bool()>& done) override;
  void Wake() override;

  // Takes no more work: callers still waiting and every later one get
  // DispatchError.
  void Shutdown();

private:
  struct Pending;
  bool RunOne(std::unique_lock<std::mutex>& lock);

  std::thread::id FOwner;
  std::mutex FMutex;
  std::condition_variable FChanged;
  std::deque<Pending*> FQueue;
  std::uint64_t FWakes = 0;
  bool FClosed = false;
};

} // namespace quorvin

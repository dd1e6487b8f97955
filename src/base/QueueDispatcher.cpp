#include "base/QueueDispatcher.h"

#include <chrono>
#include <exception>

namespace quorvin {

struct QueueDispatcher::Pending {
  const std::function<void()>* Task;
  std::exception_ptr Error;
  bool Done = false;
};

QueueDispatcher::QueueDispatcher() : FOwner(std::this_thread::get_id()) {}

void QueueDispatcher::RunSync(const std::function<void()>& task) {
  if (std::this_thread::get_id() == FOwner) {
    task();
    return;
  }
  Pending pending{&task, nullptr, false};
  std::unique_lock lock(FMutex);
  FQueue.push_back(&pending);
  FChanged.notify_all();
  FChanged.wait(lock, [&] { return pending.Done; });
  if (pending.Error)
    std::rethrow_exception(pending.Error);
}

bool QueueDispatcher::RunOne(std::unique_lock<std::mutex>& lock) {
  if (FQueue.empty())
    return false;
  Pending* pending = FQueue.front();
  FQueue.pop_front();
  lock.unlock();
  try {
    (*pending->Task)();
  } catch (...) {
    pending->Error = std::current_exception();
  }
  lock.lock();
  pending->Done = true;
  FChanged.notify_all();
  return true;
}

void QueueDispatcher::PumpUntil(const std::function<bool()>& done) {
  std::unique_lock lock(FMutex);
  for (;;) {
    while (RunOne(lock)) {
    }
    lock.unlock();
    const bool finished = done();
    lock.lock();
    if (finished)
      return;
    // done() may turn true without a task (a worker ending): look again soon.
    FChanged.wait_for(lock, std::chrono::milliseconds(2), [&] { return !FQueue.empty(); });
  }
}

} // namespace quorvin

#include "base/QueueDispatcher.h"

#include <exception>

namespace quorvin {

namespace {
constexpr const char* kClosedText = "The user-interface thread takes no more work";
}

struct QueueDispatcher::Pending {
  const std::function<void()>* Task;
  std::exception_ptr Error;
  bool Done = false;
  bool Abandoned = false;
};

QueueDispatcher::QueueDispatcher() : FOwner(std::this_thread::get_id()) {}

QueueDispatcher::~QueueDispatcher() { Shutdown(); }

void QueueDispatcher::RunSync(const std::function<void()>& task) {
  if (std::this_thread::get_id() == FOwner) {
    task();
    return;
  }
  Pending pending{&task, nullptr};
  std::unique_lock lock(FMutex);
  if (FClosed)
    throw DispatchError(kClosedText);
  FQueue.push_back(&pending);
  FChanged.notify_all();
  FChanged.wait(lock, [&] { return pending.Done; });
  if (pending.Abandoned)
    throw DispatchError(kClosedText);
  if (pending.Error)
    std::rethrow_exception(pending.Error);
}

void QueueDispatcher::Shutdown() {
  std::lock_guard lock(FMutex);
  FClosed = true;
  for (Pending* pending : FQueue)
    pending->Abandoned = pending->Done = true;
  FQueue.clear();
  FChanged.notify_all();
}

void QueueDispatcher::Wake() {
  std::lock_guard lock(FMutex);
  ++FWakes;
  FChanged.notify_all();
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
    // A wake that comes while done() runs is not lost: it is counted.
    const std::uint64_t wakes = FWakes;
    lock.unlock();
    const bool finished = done();
    lock.lock();
    if (finished)
      return;
    FChanged.wait(lock, [&] { return !FQueue.empty() || FWakes != wakes; });
  }
}

} // namespace quorvin

#pragma once
// Hands work to the user-interface thread, which owns every window and all
// COM use. A worker calls RunSync and waits; the UI thread keeps pumping.

#include <functional>

namespace quorvin {

class UiDispatcher {
public:
  virtual ~UiDispatcher() = default;

  // Runs task on the UI thread and returns when it has run, rethrowing what
  // it threw. Called on the UI thread itself, the task runs at once.
  virtual void RunSync(const std::function<void()>& task) = 0;

  // On the UI thread: runs handed-over tasks (and, on Windows, messages)
  // until done() holds. done() is checked after each task and at least
  // every few milliseconds.
  virtual void PumpUntil(const std::function<bool()>& done) = 0;
};

} // namespace quorvin

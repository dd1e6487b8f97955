#pragma once
// Hands work to the user-interface thread, which owns every window and all
// COM use. A worker calls RunSync and waits; the UI thread keeps pumping.

#include "base/QuorvinError.h"

#include <functional>

namespace quorvin {

// The hand-over itself failed (the UI thread takes no more work, or the
// system refused the means to ask it): the task did not run. An error that
// the task raised is rethrown as it is, never as this.
class DispatchError : public QuorvinError {
public:
  using QuorvinError::QuorvinError;
};

class UiDispatcher {
public:
  virtual ~UiDispatcher() = default;

  // Runs task on the UI thread and returns when it has run, rethrowing what
  // it threw. Called on the UI thread itself, the task runs at once. Throws
  // DispatchError at once once the dispatcher has shut down, and releases
  // a waiting caller with it when it shuts down meanwhile.
  virtual void RunSync(const std::function<void()>& task) = 0;

  // On the UI thread: runs handed-over tasks (and, on Windows, messages)
  // until done() holds. done() is looked at after each task and after each
  // Wake(), and nowhere else: whoever makes it true calls Wake().
  virtual void PumpUntil(const std::function<bool()>& done) = 0;

  // Any thread: a running PumpUntil looks at its done() again.
  virtual void Wake() = 0;
};

} // namespace quorvin

#include "base/win32/Win32Dispatcher.h"

#include "base/win32/ErrorChecks.h"

#include <algorithm>
#include <exception>
#include <optional>

namespace quorvin {
namespace {

constexpr UINT kRunTaskMessage = WM_APP + 0x101;
constexpr const char* kClassName = "QuorvinDispatcher";
constexpr const char* kClosedText = "The user-interface thread takes no more work";

} // namespace

struct Win32Dispatcher::Pending {
  const std::function<void()>* Task;
  std::exception_ptr Error;
  HANDLE Done;
  bool Abandoned = false;
};

Win32Dispatcher::Win32Dispatcher() : FThreadId(::GetCurrentThreadId()) {
  FWakeEvent.reset(::CreateEventA(nullptr, FALSE, FALSE, nullptr));
  ThrowLastErrorIf(!FWakeEvent, "Cannot create an event");
  ThrowLastErrorIf(!CreateFor(kClassName, 0, 0, HWND_MESSAGE), "Cannot create the dispatcher window");
  FPostTarget = FWindow;
}

Win32Dispatcher::~Win32Dispatcher() { Shutdown(); }

void Win32Dispatcher::Shutdown() {
  if (FWindow)
    ::DestroyWindow(FWindow); // WM_NCDESTROY releases the waiting callers
  ReleaseWaiting();
}

// The window may also go without Shutdown (destroyed by someone else): from
// then on its posted tasks are never run, so nobody may wait for them.
LRESULT Win32Dispatcher::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kRunTaskMessage) {
    RunPosted(reinterpret_cast<Pending*>(lParam));
    return 0;
  }
  if (message == WM_NCDESTROY)
    ReleaseWaiting();
  return WindowBase::HandleMessage(message, wParam, lParam);
}

bool Win32Dispatcher::Withdraw(Pending* pending) {
  std::lock_guard lock(FMutex);
  const auto found = std::find(FPending.begin(), FPending.end(), pending);
  if (found == FPending.end())
    return false;
  FPending.erase(found);
  return true;
}

void Win32Dispatcher::RunPosted(Pending* pending) {
  // A caller that was released meanwhile has gone; its pointer is stale.
  if (!Withdraw(pending))
    return;
  try {
    (*pending->Task)();
  } catch (...) {
    pending->Error = std::current_exception();
  }
  ::SetEvent(pending->Done);
}

void Win32Dispatcher::ReleaseWaiting() {
  std::lock_guard lock(FMutex);
  FClosed = true;
  for (Pending* pending : FPending) {
    pending->Abandoned = true;
    ::SetEvent(pending->Done);
  }
  FPending.clear();
}

void Win32Dispatcher::RunSync(const std::function<void()>& task) {
  if (::GetCurrentThreadId() == FThreadId) {
    task();
    return;
  }
  UniqueHandle done(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
  if (!done)
    throw DispatchError("Cannot create an event", ::GetLastError());
  Pending pending{&task, nullptr, done.get()};
  {
    std::lock_guard lock(FMutex);
    if (FClosed)
      throw DispatchError(kClosedText);
    FPending.push_back(&pending);
  }
  if (!::PostMessageA(FPostTarget, kRunTaskMessage, 0, reinterpret_cast<LPARAM>(&pending))) {
    const DWORD error = ::GetLastError();
    if (Withdraw(&pending))
      throw DispatchError("Cannot reach the user-interface thread", error);
  }
  ::WaitForSingleObject(done.get(), INFINITE);
  if (pending.Abandoned)
    throw DispatchError(kClosedText);
  if (pending.Error)
    std::rethrow_exception(pending.Error);
}

void Win32Dispatcher::Wake() { ::SetEvent(FWakeEvent.get()); }

// A WM_QUIT met here is kept until the wait is over: posted back at once it
// would end the next wait at once, and the loop would spin. The messages
// after it are still handled, since what is awaited may need them.
void Win32Dispatcher::PumpUntil(const std::function<bool()>& done) {
  std::optional<int> quit;
  HANDLE wake = FWakeEvent.get();
  for (;;) {
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        quit = static_cast<int>(message.wParam);
        continue;
      }
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
    if (done())
      break;
    ::MsgWaitForMultipleObjects(1, &wake, FALSE, INFINITE, QS_ALLINPUT);
  }
  if (quit)
    ::PostQuitMessage(*quit);
}

} // namespace quorvin

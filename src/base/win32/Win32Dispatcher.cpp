#include "base/win32/Win32Dispatcher.h"

#include "base/QuorvinError.h"

#include <exception>
#include <memory>

namespace quorvin {
namespace {

constexpr UINT kRunTaskMessage = WM_APP + 0x101;
constexpr const char* kClassName = "QuorvinDispatcher";

struct Pending {
  const std::function<void()>* Task;
  std::exception_ptr Error;
  HANDLE Done;
};

struct EventCloser {
  void operator()(HANDLE event) const { ::CloseHandle(event); }
};

} // namespace

Win32Dispatcher::Win32Dispatcher() : FThreadId(::GetCurrentThreadId()) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = ::GetModuleHandleA(nullptr);
  windowClass.lpszClassName = kClassName;
  ::RegisterClassA(&windowClass); // fails harmlessly when already registered
  FWindow = ::CreateWindowExA(0, kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              windowClass.hInstance, nullptr);
  if (!FWindow)
    throw QuorvinError("Cannot create the dispatcher window", ::GetLastError());
}

Win32Dispatcher::~Win32Dispatcher() { ::DestroyWindow(FWindow); }

LRESULT CALLBACK Win32Dispatcher::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != kRunTaskMessage)
    return ::DefWindowProcA(window, message, wParam, lParam);
  auto* pending = reinterpret_cast<Pending*>(lParam);
  try {
    (*pending->Task)();
  } catch (...) {
    pending->Error = std::current_exception();
  }
  ::SetEvent(pending->Done);
  return 0;
}

void Win32Dispatcher::RunSync(const std::function<void()>& task) {
  if (::GetCurrentThreadId() == FThreadId) {
    task();
    return;
  }
  std::unique_ptr<void, EventCloser> done(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
  if (!done)
    throw QuorvinError("Cannot create an event", ::GetLastError());
  Pending pending{&task, nullptr, done.get()};
  if (!::PostMessageA(FWindow, kRunTaskMessage, 0, reinterpret_cast<LPARAM>(&pending)))
    throw QuorvinError("Cannot reach the user-interface thread", ::GetLastError());
  ::WaitForSingleObject(done.get(), INFINITE);
  if (pending.Error)
    std::rethrow_exception(pending.Error);
}

void Win32Dispatcher::PumpUntil(const std::function<bool()>& done) {
  for (;;) {
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        // Leave the quit for the main loop, but finish the wait first.
        ::PostQuitMessage(static_cast<int>(message.wParam));
        break;
      }
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
    if (done())
      return;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}

} // namespace quorvin

#pragma once
// The UiDispatcher of a Windows UI thread: tasks are posted to a message-only
// window of that thread, so modal loops (dialogs, menus, message boxes) run
// them too, and the worker waits on an event.

#include "base/UiDispatcher.h"
#include "base/win32/HandleOwners.h"

#include <windows.h>

#include <mutex>
#include <vector>

namespace quorvin {

class Win32Dispatcher final : public UiDispatcher {
public:
  // Must be created on the UI thread.
  Win32Dispatcher();
  ~Win32Dispatcher() override;
  Win32Dispatcher(const Win32Dispatcher&) = delete;
  Win32Dispatcher& operator=(const Win32Dispatcher&) = delete;

  void RunSync(const std::function<void()>& task) override;
  void PumpUntil(const std::function<bool()>& done) override;
  void Wake() override;

  // On the UI thread: destroys the window. Callers still waiting and every
  // later one get DispatchError. The destructor does it too.
  void Shutdown();

private:
  struct Pending;

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void RunPosted(Pending* pending);
  bool Withdraw(Pending* pending);
  void ReleaseWaiting();

  HWND FWindow = nullptr;
  DWORD FThreadId = 0;
  UniqueHandle FWakeEvent;
  bool FWindowDestroyed = false;
  std::mutex FMutex;
  std::vector<Pending*> FPending;
  bool FClosed = false;
};

} // namespace quorvin

#pragma once
// The UiDispatcher of a Windows UI thread: tasks are posted to a message-only
// window of that thread, so modal loops (dialogs, menus, message boxes) run
// them too, and the worker waits on an event.

#include "base/UiDispatcher.h"
#include "base/win32/HandleOwners.h"
#include "base/win32/WindowBase.h"

#include <windows.h>

#include <mutex>
#include <vector>

namespace quorvin {

class Win32Dispatcher final : public UiDispatcher, private WindowBase {
public:
  // Must be created on the UI thread.
  Win32Dispatcher();
  ~Win32Dispatcher() override;

  void RunSync(const std::function<void()>& task) override;
  void PumpUntil(const std::function<bool()>& done) override;
  void Wake() override;

  // On the UI thread: destroys the window. Callers still waiting and every
  // later one get DispatchError. The destructor does it too.
  void Shutdown();

private:
  struct Pending;

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void RunPosted(Pending* pending);
  bool Withdraw(Pending* pending);
  void ReleaseWaiting();

  // The window as the workers post to it: FWindow belongs to the UI
  // thread, and a post to a window that has gone fails harmlessly.
  HWND FPostTarget = nullptr;
  DWORD FThreadId = 0;
  UniqueHandle FWakeEvent;
  std::mutex FMutex;
  std::vector<Pending*> FPending;
  bool FClosed = false;
};

} // namespace quorvin

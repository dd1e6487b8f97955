#pragma once
// The UiDispatcher of a Windows UI thread: tasks are posted to a message-only
// window of that thread, so modal loops (dialogs, menus, message boxes) run
// them too, and the worker waits on an event.

#include "base/UiDispatcher.h"

#include <windows.h>

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

private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND FWindow = nullptr;
  DWORD FThreadId = 0;
};

} // namespace quorvin

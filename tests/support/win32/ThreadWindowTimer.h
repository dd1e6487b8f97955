#pragma once
// Acts on a window from within the modal loop that shows it: a thread timer
// runs there, and on each tick the first of this thread's top-level windows
// that the test wants is handed to what the test does with it. Timer
// messages come only when the queue is empty, so the input one act posts
// has been handled by the next tick. One such timer at a time.

#include <windows.h>

#include <functional>
#include <utility>

namespace quorvin::test {

class ThreadWindowTimer {
public:
  ThreadWindowTimer(std::function<bool(HWND)> wanted, std::function<void(HWND)> act)
      : FWanted(std::move(wanted)), FAct(std::move(act)) {
    FCurrent = this;
    FTimer = ::SetTimer(nullptr, 0, 10, OnTimer);
  }
  ~ThreadWindowTimer() {
    ::KillTimer(nullptr, FTimer);
    FCurrent = nullptr;
  }
  ThreadWindowTimer(const ThreadWindowTimer&) = delete;
  ThreadWindowTimer& operator=(const ThreadWindowTimer&) = delete;

private:
  struct Search {
    ThreadWindowTimer* Timer;
    HWND Found = nullptr;
  };
  static BOOL CALLBACK Visit(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    if (!search->Timer->FWanted(window))
      return TRUE;
    search->Found = window;
    return FALSE;
  }
  // The window is found first and acted on after the search, so that an
  // act that runs a modal loop of its own does not run inside the search.
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (!FCurrent)
      return;
    Search search{FCurrent};
    ::EnumThreadWindows(::GetCurrentThreadId(), Visit, reinterpret_cast<LPARAM>(&search));
    if (search.Found)
      FCurrent->FAct(search.Found);
  }

  static inline ThreadWindowTimer* FCurrent = nullptr;
  std::function<bool(HWND)> FWanted;
  std::function<void(HWND)> FAct;
  UINT_PTR FTimer = 0;
};

} // namespace quorvin::test

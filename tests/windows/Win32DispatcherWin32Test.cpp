// The dispatcher that hands the switch thread's tasks to the UI thread:
// its pump keeps a WM_QUIT until its wait is over, and once its window is
// gone no caller waits for it.

#include "base/win32/Win32Dispatcher.h"

#include "support/win32/QuitMessages.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <future>
#include <thread>

namespace quorvin {
namespace {

// After a WM_QUIT the waits must still block on what they wait for, and
// the quit comes back once, after them.
TEST(Win32DispatcherWin32, ItsPumpKeepsAQuitUntilItsWaitIsOver) {
  Win32Dispatcher dispatcher;
  std::atomic<bool> finished{false};
  ::PostQuitMessage(7);
  std::thread worker([&] {
    dispatcher.RunSync([] {}); // still served after the quit was taken
    ::Sleep(100);              // a pump that spun on the quit would look many times meanwhile
    finished = true;
    dispatcher.Wake();
  });
  int looks = 0;
  dispatcher.PumpUntil([&] {
    ++looks;
    return finished.load();
  });
  worker.join();
  EXPECT_LE(looks, 4);
  test::ExpectOneQuit(7);
}

// This thread does not pump: the task is either posted and waiting when
// the window goes, or comes after; it never runs, and nobody waits for ever.
TEST(Win32DispatcherWin32, AfterItsWindowIsGoneNoCallerWaits) {
  Win32Dispatcher dispatcher;
  std::promise<void> aboutToHandOver;
  std::thread worker([&] {
    aboutToHandOver.set_value();
    EXPECT_THROW(dispatcher.RunSync([] { ADD_FAILURE() << "ran after the shutdown"; }), DispatchError);
    EXPECT_THROW(dispatcher.RunSync([] {}), DispatchError);
  });
  aboutToHandOver.get_future().wait();
  dispatcher.Shutdown();
  worker.join();
}

} // namespace
} // namespace quorvin

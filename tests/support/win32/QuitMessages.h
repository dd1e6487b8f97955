#pragma once
// The WM_QUIT that a wait takes from the queue and posts again afterwards.

#include <gtest/gtest.h>

#include <windows.h>

namespace quorvin::test {

// Exactly one WM_QUIT waits in the queue, with that exit code.
inline void ExpectOneQuit(WPARAM exitCode) {
  MSG message;
  ASSERT_TRUE(::PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, exitCode);
  EXPECT_FALSE(::PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

} // namespace quorvin::test

#pragma once
// The error that a call raises, for the tests that check its text or code.

#include "base/QuorvinError.h"

#include <gtest/gtest.h>

#include <utility>

namespace quorvin::test {

// The QuorvinError that call raises. A call that returns is a test failure,
// and gives an error of no text and code 0.
template <typename Call> QuorvinError RaisedBy(Call&& call) {
  try {
    std::forward<Call>(call)();
  } catch (const QuorvinError& error) {
    return error;
  }
  ADD_FAILURE() << "no QuorvinError raised";
  return QuorvinError("");
}

} // namespace quorvin::test

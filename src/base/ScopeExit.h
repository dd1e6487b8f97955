#pragma once
// Runs an action when the scope ends, however it ends.

#include <utility>

namespace quorvin {

template <typename Action> class ScopeExit {
public:
  explicit ScopeExit(Action action) : FAction(std::move(action)) {}
  ~ScopeExit() { FAction(); }
  ScopeExit(const ScopeExit&) = delete;
  ScopeExit& operator=(const ScopeExit&) = delete;

private:
  Action FAction;
};

} // namespace quorvin

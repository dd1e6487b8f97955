#pragma once
// After an interactive switch that changed an adapter item, the user may be
// asked to keep the new settings; without an answer in time, the switch is
// undone.

namespace quorvin {

enum class TKeepAnswer { Keep, Revert };

} // namespace quorvin

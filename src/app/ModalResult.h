#pragma once
// The modal results the dialogs end with, as their callers test them.

namespace quorvin {

inline constexpr int kModalOk = 1;
inline constexpr int kModalCancel = 2;
inline constexpr int kModalYes = 6;
inline constexpr int kModalNo = 7;

} // namespace quorvin

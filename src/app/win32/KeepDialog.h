#pragma once
// The question to keep new network settings after a switch: a top-most
// dialog that counts the seconds down and reverts when they run out.

#include "app/KeepQuestion.h"
#include "system/GatewayProbe.h"

#include <windows.h>

#include <string>

namespace quorvin {

// The gateway's answer, posted by the probing thread to the dialog:
// wParam 1 when it answers, 0 when not.
inline constexpr UINT WM_GATEWAYANSWER = 0x2510;

// "Keep these network settings?" for seconds (at least 1), owned by owner
// while owner is shown, else centred on the work area. Keep only when the
// user presses "&Keep"; the countdown reaching zero, "&Revert", the close
// box, Escape and Alt+F4 revert. While it is open, probe asks about once a
// second, off the UI thread, whether gateway answers, and the dialog shows
// it; an empty gateway shows nothing and is never asked.
TKeepAnswer ShowKeepDialog(HWND owner, int seconds, const std::string& gateway, GatewayProbe& probe);

} // namespace quorvin

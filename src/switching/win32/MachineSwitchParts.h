#pragma once
// The parts of a switch engine on Windows: COM on the calling (UI) thread,
// the message-window dispatcher, and the machine's services, or the
// simulated ones when simulate.ini beside the executable
// names a folder.

#include "switching/SwitchEngine.h"

namespace quorvin {

SwitchEngineParts MachineSwitchParts();

} // namespace quorvin

#pragma once
// The launcher over CreateProcess. RunHidden blocks the calling thread for
// as long as it waits, so it is for a worker thread (the switch thread),
// never for the UI thread.

#include "switching/ProcessLauncher.h"

namespace quorvin {

class Win32ProcessLauncher final : public ProcessLauncher {
public:
  ProcessRun RunHidden(const std::string& commandLine) override;
};

} // namespace quorvin

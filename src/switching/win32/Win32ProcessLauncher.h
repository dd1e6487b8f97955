#pragma once

#include "switching/ProcessLauncher.h"

namespace quorvin {

class Win32ProcessLauncher final : public ProcessLauncher {
public:
  bool LaunchHidden(const std::string& commandLine) override;
};

} // namespace quorvin

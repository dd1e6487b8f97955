#pragma once
// The task scheduler of the simulation: each task is the file
// tasks/<name>.xml in the simulation's folder, holding its definition as
// registered, as Windows keeps its tasks as files under System32\Tasks. So a
// start with Windows switched on in one run is still on in the next, and
// scripts can look at what was registered.

#include "system/TaskScheduler.h"

#include <string>

namespace quorvin {

class SimulatedTaskScheduler final : public TaskScheduler {
public:
  explicit SimulatedTaskScheduler(std::string folder);

  // A file that cannot be written answers AccessDenied; a name that is no
  // plain file name, E_INVALIDARG.
  std::uint32_t RegisterTask(const std::string& name, const std::string& xml) override;
  std::optional<std::string> TaskXml(const std::string& name) override;
  std::uint32_t DeleteTask(const std::string& name) override;

private:
  // The task's file; empty for a name that is no plain file name.
  std::string TaskPath(const std::string& name) const;

  std::string FFolder;
};

} // namespace quorvin

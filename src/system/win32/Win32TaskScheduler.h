#pragma once
// The task scheduler port over the Task Scheduler 2.0 interfaces (ITaskService)
// of the local computer, connected as the calling user. COM must be
// initialised on the calling thread.

#include "system/TaskScheduler.h"

namespace quorvin {

class Win32TaskScheduler final : public TaskScheduler {
public:
  std::uint32_t RegisterTask(const std::string& name, const std::string& xml) override;
  std::optional<std::string> TaskXml(const std::string& name) override;
  std::uint32_t DeleteTask(const std::string& name) override;
};

} // namespace quorvin

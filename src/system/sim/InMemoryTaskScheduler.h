#pragma once
// Tasks held in memory: the task scheduler port for native tests and for
// the platform services off Windows. Names match without regard to ASCII
// case, as the scheduler's do. Not thread-safe.

#include "system/TaskScheduler.h"

#include <map>
#include <string>

namespace quorvin {

class InMemoryTaskScheduler final : public TaskScheduler {
public:
  std::uint32_t RegisterTask(const std::string& name, const std::string& xml) override;
  std::optional<std::string> TaskXml(const std::string& name) override;
  std::uint32_t DeleteTask(const std::string& name) override;

  // For tests: registering and deleting answer AccessDenied and change
  // nothing.
  bool RefusesChanges = false;
  std::map<std::string, std::string> Tasks; // the definitions, by lower-case name
};

} // namespace quorvin

#include "system/sim/InMemoryTaskScheduler.h"

#include "base/AsciiCase.h"

namespace quorvin {

std::uint32_t InMemoryTaskScheduler::RegisterTask(const std::string& name, const std::string& xml) {
  if (RefusesChanges)
    return TaskStatus::AccessDenied;
  Tasks[LowerAscii(name)] = xml;
  return TaskStatus::Success;
}

std::optional<std::string> InMemoryTaskScheduler::TaskXml(const std::string& name) {
  const auto found = Tasks.find(LowerAscii(name));
  if (found == Tasks.end())
    return std::nullopt;
  return found->second;
}

std::uint32_t InMemoryTaskScheduler::DeleteTask(const std::string& name) {
  if (RefusesChanges)
    return TaskStatus::AccessDenied;
  return Tasks.erase(LowerAscii(name)) ? TaskStatus::Success : TaskStatus::NotFound;
}

} // namespace quorvin

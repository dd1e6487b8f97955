#pragma once
// The task scheduler port: the tasks of the scheduler's root folder, by
// name, as the XML text of their definitions (the Task Scheduler schema).
// Status codes are the HRESULTs that the Task Scheduler returns.

#include <cstdint>
#include <optional>
#include <string>

namespace quorvin {

// Status codes shared by every implementation.
namespace TaskStatus {
inline constexpr std::uint32_t Success = 0;
inline constexpr std::uint32_t NotFound = 0x80070002;     // HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)
inline constexpr std::uint32_t AccessDenied = 0x80070005; // E_ACCESSDENIED
} // namespace TaskStatus

class TaskScheduler {
public:
  virtual ~TaskScheduler() = default;

  // Creates the task, or replaces the one of that name, from its definition.
  virtual std::uint32_t RegisterTask(const std::string& name, const std::string& xml) = 0;
  // The definition of the task as the scheduler keeps it; nothing when there
  // is no such task or it cannot be read.
  virtual std::optional<std::string> TaskXml(const std::string& name) = 0;
  // NotFound when there is no such task.
  virtual std::uint32_t DeleteTask(const std::string& name) = 0;
};

} // namespace quorvin

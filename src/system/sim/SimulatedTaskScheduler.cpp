#include "system/sim/SimulatedTaskScheduler.h"

#include "store/FileIo.h"

#include <filesystem>
#include <system_error>

namespace quorvin {
namespace {

constexpr std::uint32_t kInvalidArgument = 0x80070057; // E_INVALIDARG

} // namespace

SimulatedTaskScheduler::SimulatedTaskScheduler(std::string folder) : FFolder(std::move(folder)) {}

std::string SimulatedTaskScheduler::TaskPath(const std::string& name) const {
  if (name.empty() || name.find_first_of("\\/:*?\"<>|") != std::string::npos || name == "." || name == "..")
    return {};
  return (std::filesystem::path(FFolder) / "tasks" / (name + ".xml")).string();
}

std::uint32_t SimulatedTaskScheduler::RegisterTask(const std::string& name, const std::string& xml) {
  const std::string path = TaskPath(name);
  if (path.empty())
    return kInvalidArgument;
  std::error_code error;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
  try {
    WriteFileAtomically(path, xml);
  } catch (const std::exception&) {
    return TaskStatus::AccessDenied;
  }
  return TaskStatus::Success;
}

std::optional<std::string> SimulatedTaskScheduler::TaskXml(const std::string& name) {
  const std::string path = TaskPath(name);
  if (path.empty())
    return std::nullopt;
  try {
    return ReadWholeFile(path);
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

std::uint32_t SimulatedTaskScheduler::DeleteTask(const std::string& name) {
  const std::string path = TaskPath(name);
  if (path.empty())
    return kInvalidArgument;
  std::error_code error;
  if (std::filesystem::remove(path, error))
    return TaskStatus::Success;
  return error ? TaskStatus::AccessDenied : TaskStatus::NotFound;
}

} // namespace quorvin

#include "fuzz/FuzzCheck.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace quorvin::fuzz {

namespace {

void RemoveScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(ScratchFolder(), ignored);
}

} // namespace

std::string ScratchFolder() {
  static const std::string folder = [] {
    const auto path = std::filesystem::temp_directory_path() / ("quorvin-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(path);
    return path.string();
  }();
  // Registered after the name exists, so it runs while the name still does.
  [[maybe_unused]] static const int removal = std::atexit(RemoveScratchFolder);
  return folder;
}

} // namespace quorvin::fuzz

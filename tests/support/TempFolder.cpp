#include "support/TempFolder.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

namespace fs = std::filesystem;

namespace quorvin::test {

TempFolder::TempFolder() {
  static std::atomic<unsigned> counter{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  fs::path path = fs::temp_directory_path() /
                  ("quorvin-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
  fs::create_directories(path);
  FPath = path.string();
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  // Files made read-only by a test must become writable to be removed.
  for (auto& entry : fs::recursive_directory_iterator(FPath, ignored))
    fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
  fs::remove_all(FPath, ignored);
}

std::string TempFolder::File(std::string_view name) const {
  return (fs::path(FPath) / std::string(name)).string();
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return std::move(bytes).str();
}

void WriteBytes(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

} // namespace quorvin::test

#include "store/FileIo.h"

#include "base/QuorvinError.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <fstream>
#include <sstream>
#include <utility>

namespace quorvin {
namespace {

class FileDescriptor {
public:
  explicit FileDescriptor(int fd) : FFd(fd) {}
  ~FileDescriptor() {
    if (FFd >= 0)
      ::close(FFd);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int Get() const { return FFd; }
  int Release() { return std::exchange(FFd, -1); }

private:
  int FFd;
};

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR)
      continue;
    if (written <= 0)
      return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

} // namespace

std::optional<FileStamp> GetFileStamp(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0)
    return std::nullopt;
  return FileStamp{static_cast<std::uint64_t>(info.st_size),
                   static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    if (errno == ENOENT)
      return std::nullopt;
    throw QuorvinError("Cannot open file \"" + path + "\"", static_cast<std::uint32_t>(errno));
  }
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return std::move(bytes).str();
}

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
  // Root may write anything on POSIX; a read-only file is refused as Windows
  // refuses a file with the read-only attribute.
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0 && (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
    throw WriteRefused(path, EACCES);

  const std::string temporary = path + ".tmp";
  FileDescriptor fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
  if (fd.Get() < 0)
    throw WriteRefused(path, static_cast<std::uint32_t>(errno));
  if (!WriteAll(fd.Get(), bytes) || ::fsync(fd.Get()) != 0 || ::close(fd.Release()) != 0 ||
      ::rename(temporary.c_str(), path.c_str()) != 0) {
    const int error = errno;
    ::unlink(temporary.c_str());
    throw WriteRefused(path, static_cast<std::uint32_t>(error));
  }
  // The rename itself lasts only once the folder is on disk.
  FileDescriptor folder(::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.Get() >= 0)
    ::fsync(folder.Get());
}

std::string GetExecutableFolder() {
  char buffer[PATH_MAX];
  const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (length <= 0)
    return "./";
  return FolderOf(std::string(buffer, static_cast<std::size_t>(length)));
}

} // namespace quorvin

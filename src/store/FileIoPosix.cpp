#include "store/FileIo.h"

#include "base/QuorvinError.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <ctime>
#include <random>
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
  FileDescriptor(FileDescriptor&& other) noexcept : FFd(other.Release()) {}
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

QuorvinError ReadFailed(const std::string& path, int error) {
  return QuorvinError("Cannot read file \"" + path + "\"", static_cast<std::uint32_t>(error));
}

// A new file of a name nobody else has: O_EXCL refuses any name that exists,
// a link planted there included, so the bytes never go anywhere else.
std::pair<FileDescriptor, std::string> CreateTemporaryBeside(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = path + "." + std::to_string(::getpid()) + "-" + std::to_string(counter++) + "-" +
                       std::to_string(random()) + ".tmp";
    FileDescriptor fd(::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666));
    if (fd.Get() >= 0)
      return {FileDescriptor(fd.Release()), std::move(name)};
    if (errno != EEXIST)
      break;
  }
  throw WriteRefused(path, static_cast<std::uint32_t>(errno));
}

ssize_t ReadSome(int fd, char* buffer, std::size_t size, const std::string& path) {
  for (;;) {
    const ssize_t got = ::read(fd, buffer, size);
    if (got >= 0)
      return got;
    if (errno != EINTR)
      throw ReadFailed(path, errno);
  }
}

std::string ReadToEnd(int fd, std::size_t expected, const std::string& path) {
  // Sized once from the start, so a large file costs its size and no more:
  // the end is found through a small buffer, and only a file that grew
  // since fstat makes the string grow.
  std::string bytes(expected, '\0');
  std::size_t filled = 0;
  while (filled < bytes.size()) {
    const ssize_t got = ReadSome(fd, bytes.data() + filled, bytes.size() - filled, path);
    if (got == 0)
      break;
    filled += static_cast<std::size_t>(got);
  }
  bytes.resize(filled);
  char more[64 * 1024];
  while (filled == expected) {
    const ssize_t got = ReadSome(fd, more, sizeof more, path);
    if (got == 0)
      break;
    bytes.append(more, static_cast<std::size_t>(got));
  }
  return bytes;
}

constexpr std::int64_t kNanosecondsPerSecond = 1'000'000'000;

std::int64_t Nanoseconds(const timespec& time) {
  return static_cast<std::int64_t>(time.tv_sec) * kNanosecondsPerSecond + time.tv_nsec;
}

std::int64_t Now() {
  timespec now{};
  ::clock_gettime(CLOCK_REALTIME, &now);
  return Nanoseconds(now);
}

FileIdentity IdentityOf(const struct stat& info) {
  return FileIdentity{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
                      static_cast<std::uint64_t>(info.st_size), Nanoseconds(info.st_mtim),
                      Nanoseconds(info.st_ctim)};
}

// How long after its last change a file's times tell every later change.
// Linux stamps files from its coarse clock, one tick behind at most; a
// filesystem with sub-second times keeps 10 ms or finer, one without them
// (FAT keeps 2 s) may round a later change down onto the same time.
std::int64_t SettleTime(const struct stat& info) {
  timespec tick{0, 10'000'000};
#ifdef CLOCK_REALTIME_COARSE
  ::clock_getres(CLOCK_REALTIME_COARSE, &tick);
#endif
  const bool subSecond = info.st_mtim.tv_nsec != 0 || info.st_ctim.tv_nsec != 0;
  return (subSecond ? 20'000'000 : 2 * kNanosecondsPerSecond) + Nanoseconds(tick);
}

} // namespace

bool FileExists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0;
}

bool RemoveFile(const std::string& path) { return ::unlink(path.c_str()) == 0 || errno == ENOENT; }

std::optional<FileIdentity> IdentifyFile(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0)
    return std::nullopt;
  return IdentityOf(info);
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  FileVersion ignored;
  return ReadWholeFile(path, ignored);
}

std::optional<std::string> ReadWholeFile(const std::string& path, FileVersion& version) {
  // Taken before anything is read: a change from here on carries a time no
  // earlier than this less one tick of the clock that stamps files.
  const std::int64_t readBegan = Now();
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.Get() < 0) {
    if (errno == ENOENT)
      return std::nullopt;
    throw QuorvinError("Cannot open file \"" + path + "\"", static_cast<std::uint32_t>(errno));
  }
  struct stat info {};
  if (::fstat(fd.Get(), &info) != 0)
    throw ReadFailed(path, errno);
  std::string bytes = ReadToEnd(fd.Get(), static_cast<std::size_t>(info.st_size), path);
  // Examined again after the read, so that a change during it shows.
  if (::fstat(fd.Get(), &info) != 0)
    throw ReadFailed(path, errno);
  version.Identity = IdentityOf(info);
  version.Settled =
      std::max(version.Identity.Modified, version.Identity.Changed) + SettleTime(info) < readBegan;
  return bytes;
}

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
  // Root may write anything on POSIX; a read-only file is refused as Windows
  // refuses a file with the read-only attribute.
  struct stat info {};
  const bool existed = ::stat(path.c_str(), &info) == 0;
  if (existed && (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
    throw WriteRefused(path, EACCES);

  auto [fd, temporary] = CreateTemporaryBeside(path);
  if ((existed && ::fchmod(fd.Get(), info.st_mode & 07777) != 0) || !WriteAll(fd.Get(), bytes) ||
      ::fsync(fd.Get()) != 0 || ::close(fd.Release()) != 0 || ::rename(temporary.c_str(), path.c_str()) != 0) {
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

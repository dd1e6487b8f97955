#include "store/FileIo.h"

#include "base/QuorvinError.h"
#include "base/win32/HandleOwners.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <vector>

namespace quorvin {
namespace {

UniqueHandle OpenFile(const std::string& path, DWORD access, DWORD disposition) {
  HANDLE handle = ::CreateFileA(path.c_str(), access, FILE_SHARE_READ, nullptr, disposition,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
  return UniqueFileHandle(handle);
}

QuorvinError ReadFailed(const std::string& path, DWORD error) {
  return QuorvinError("Cannot read file \"" + path + "\"", error);
}

// A new file of a name nobody else has: CREATE_NEW refuses any name that
// exists, a link planted there included.
std::pair<UniqueHandle, std::string> CreateTemporaryBeside(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  DWORD error = ERROR_FILE_EXISTS;
  for (int attempt = 0; attempt < 100 && error == ERROR_FILE_EXISTS; ++attempt) {
    char suffix[64];
    std::snprintf(suffix, sizeof suffix, ".%lx-%x-%lx.tmp", ::GetCurrentProcessId(), counter++,
                  ::GetTickCount());
    std::string name = path + suffix;
    if (UniqueHandle file = OpenFile(name, GENERIC_WRITE, CREATE_NEW))
      return {std::move(file), std::move(name)};
    error = ::GetLastError();
  }
  throw WriteRefused(path, error);
}

DWORD WriteAndFlush(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
    if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0)
      return ::GetLastError();
    bytes.remove_prefix(written);
  }
  return ::FlushFileBuffers(file) ? ERROR_SUCCESS : ::GetLastError();
}

// ReplaceFileA keeps the old file's attributes, security and identity;
// there being no old file is the only case for a plain move.
DWORD PutInPlace(const std::string& temporary, const std::string& path) {
  if (::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
    if (::ReplaceFileA(path.c_str(), temporary.c_str(), nullptr, 0, nullptr, nullptr))
      return ERROR_SUCCESS;
    const DWORD error = ::GetLastError();
    if (error != ERROR_FILE_NOT_FOUND)
      return error;
  }
  return ::MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH) ? ERROR_SUCCESS
                                                                               : ::GetLastError();
}

DWORD ReadSome(HANDLE file, char* buffer, std::size_t size, const std::string& path) {
  DWORD got = 0;
  if (!::ReadFile(file, buffer, static_cast<DWORD>(std::min<std::size_t>(size, 1u << 20)), &got, nullptr))
    throw ReadFailed(path, ::GetLastError());
  return got;
}

} // namespace

bool FileExists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool RemoveFile(const std::string& path) {
  return ::DeleteFileA(path.c_str()) || ::GetLastError() == ERROR_FILE_NOT_FOUND;
}

std::optional<FileIdentity> IdentifyFile(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
    return std::nullopt;
  auto join = [](DWORD high, DWORD low) { return (static_cast<std::uint64_t>(high) << 32) | low; };
  FileIdentity identity;
  identity.Size = join(data.nFileSizeHigh, data.nFileSizeLow);
  identity.Modified = static_cast<std::int64_t>(join(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime));
  return identity;
}

std::optional<std::string> ReadWholeFile(const std::string& path, FileVersion& version) {
  // On Windows the program uses the profile functions themselves and the
  // portable engine serves the conformance tests, which need no speed: no
  // version is taken as settled, so every read compares the bytes.
  version = FileVersion{};
  return ReadWholeFile(path);
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  UniqueHandle file = OpenFile(path, GENERIC_READ, OPEN_EXISTING);
  if (!file) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
      return std::nullopt;
    throw QuorvinError("Cannot open file \"" + path + "\"", error);
  }
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size))
    throw ReadFailed(path, ::GetLastError());
  // Sized once from the start, so a large file costs its size and no more:
  // the end is found through a small buffer, and only a file that grew
  // since the size was taken makes the string grow.
  const std::size_t expected = static_cast<std::size_t>(size.QuadPart);
  std::string bytes(expected, '\0');
  std::size_t filled = 0;
  while (filled < bytes.size()) {
    const DWORD got = ReadSome(file.get(), bytes.data() + filled, bytes.size() - filled, path);
    if (got == 0)
      break;
    filled += got;
  }
  bytes.resize(filled);
  std::vector<char> more(64 * 1024);
  while (filled == expected) {
    const DWORD got = ReadSome(file.get(), more.data(), more.size(), path);
    if (got == 0)
      break;
    bytes.append(more.data(), got);
  }
  return bytes;
}

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
    throw WriteRefused(path, ERROR_ACCESS_DENIED);

  auto [file, temporary] = CreateTemporaryBeside(path);
  DWORD error = WriteAndFlush(file.get(), bytes);
  file.reset();
  if (error == ERROR_SUCCESS)
    error = PutInPlace(temporary, path);
  if (error != ERROR_SUCCESS) {
    ::DeleteFileA(temporary.c_str());
    throw WriteRefused(path, error);
  }
}

std::string GetExecutableFolder() {
  char buffer[MAX_PATH * 4];
  const DWORD length = ::GetModuleFileNameA(nullptr, buffer, sizeof buffer);
  std::string path(buffer, length < sizeof buffer ? length : 0);
  const auto slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string(".\\") : path.substr(0, slash + 1);
}

} // namespace quorvin

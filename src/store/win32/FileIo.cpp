#include "store/FileIo.h"

#include "base/QuorvinError.h"

#include <windows.h>

#include <memory>

namespace quorvin {
namespace {

struct HandleCloser {
  void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};
using UniqueFile = std::unique_ptr<void, HandleCloser>;

UniqueFile OpenFile(const std::string& path, DWORD access, DWORD disposition) {
  HANDLE handle = ::CreateFileA(path.c_str(), access, FILE_SHARE_READ, nullptr, disposition,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
  return UniqueFile(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

} // namespace

std::optional<FileStamp> GetFileStamp(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
    return std::nullopt;
  return FileStamp{(std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow,
                   static_cast<std::int64_t>((std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) |
                                             data.ftLastWriteTime.dwLowDateTime)};
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  UniqueFile file = OpenFile(path, GENERIC_READ, OPEN_EXISTING);
  if (!file) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
      return std::nullopt;
    throw QuorvinError("Cannot open file \"" + path + "\"", error);
  }
  std::string bytes;
  char chunk[64 * 1024];
  DWORD read = 0;
  while (::ReadFile(file.get(), chunk, sizeof chunk, &read, nullptr) && read > 0)
    bytes.append(chunk, read);
  return bytes;
}

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
    throw WriteRefused(path, ERROR_ACCESS_DENIED);

  const std::string temporary = path + ".tmp";
  {
    UniqueFile file = OpenFile(temporary, GENERIC_WRITE, CREATE_ALWAYS);
    if (!file)
      throw WriteRefused(path, ::GetLastError());
    std::string_view rest = bytes;
    while (!rest.empty()) {
      DWORD written = 0;
      const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(rest.size(), 1u << 20));
      if (!::WriteFile(file.get(), rest.data(), chunk, &written, nullptr) || written == 0) {
        const DWORD error = ::GetLastError();
        file.reset();
        ::DeleteFileA(temporary.c_str());
        throw WriteRefused(path, error);
      }
      rest.remove_prefix(written);
    }
    if (!::FlushFileBuffers(file.get())) {
      const DWORD error = ::GetLastError();
      file.reset();
      ::DeleteFileA(temporary.c_str());
      throw WriteRefused(path, error);
    }
  }
  if (!::MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const DWORD error = ::GetLastError();
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

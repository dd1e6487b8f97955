#include "store/win32/Win32ProfileFile.h"

#include "base/QuorvinError.h"

#include <windows.h>

namespace quorvin {

bool Win32ProfileFile::Exists() const {
  return ::GetFileAttributesA(FPath.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string Win32ProfileFile::ReadString(std::string_view section, std::string_view key,
                                         std::string_view defaultValue) {
  char buffer[kValueBufferSize];
  const DWORD length =
      ::GetPrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(),
                                 std::string(defaultValue).c_str(), buffer, sizeof buffer, FPath.c_str());
  return std::string(buffer, length);
}

void Win32ProfileFile::WriteString(std::string_view section, std::string_view key,
                                   std::string_view value) {
  if (!::WritePrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(),
                                    std::string(value).c_str(), FPath.c_str()))
    throw WriteRefused(FPath, ::GetLastError());
}

void Win32ProfileFile::EraseSection(std::string_view section) {
  if (!::WritePrivateProfileStringA(std::string(section).c_str(), nullptr, nullptr, FPath.c_str()))
    throw WriteRefused(FPath, ::GetLastError());
}

} // namespace quorvin

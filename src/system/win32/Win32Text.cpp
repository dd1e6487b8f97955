#include "system/win32/Win32Text.h"

#include "base/win32/HandleOwners.h"
#include "system/SystemError.h"

#include <memory>

namespace quorvin {

std::string NarrowText(const wchar_t* text) {
  if (text == nullptr || *text == L'\0')
    return {};
  const int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1)
    return {};
  std::string narrow(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, -1, narrow.data(), size, nullptr, nullptr);
  narrow.resize(static_cast<std::size_t>(size) - 1);
  return narrow;
}

std::wstring WideText(std::string_view text) {
  if (text.empty())
    return {};
  const int length = static_cast<int>(text.size());
  const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), size);
  return wide;
}

void ThrowSystemError(DWORD code) {
  char* message = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<char*>(&message), 0, nullptr);
  const UniqueLocal<char> owned(message);
  throw SystemError(code, length ? std::string_view(message, length) : std::string_view());
}

} // namespace quorvin

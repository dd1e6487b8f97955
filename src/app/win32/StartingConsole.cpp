#include "app/win32/StartingConsole.h"

#include "base/win32/HandleOwners.h"

#include <windows.h>

namespace quorvin {

namespace {

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines)
    text.append(line).append("\r\n");
  return text;
}

bool WriteAll(HANDLE file, const std::string& text) {
  DWORD written = 0;
  return ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
         written == text.size();
}

// A console shows its own code page, not the program's ANSI one: the texts
// go through UTF-16.
std::wstring Wide(const std::string& text) {
  const int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

std::string Utf8(const std::string& text) {
  const std::wstring wide = Wide(text);
  const int length =
      ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(length), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), length, nullptr, nullptr);
  return utf8;
}

bool WriteToConsole(HANDLE console, const std::string& text) {
  const std::wstring wide = Wide(text);
  DWORD written = 0;
  if (::WriteConsoleW(console, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr))
    return written == wide.size();
  return WriteAll(console, text); // a handle that is no console after all
}

} // namespace

bool WriteToStartingConsole(const std::vector<std::string>& lines, TRedirectedText redirected) {
  if (lines.empty())
    return true;
  const std::string text = Joined(lines);
  // A window program started with "> file" or "| more" was handed that
  // handle; one started from a bare prompt has no usable one.
  HANDLE output = ::GetStdHandle(STD_OUTPUT_HANDLE);
  if (output && output != INVALID_HANDLE_VALUE) {
    const DWORD type = ::GetFileType(output);
    if (type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE)
      return WriteAll(output, redirected == TRedirectedText::Utf8 ? Utf8(text) : text);
  }
  // Never AllocConsole: a run started by a shortcut or the scheduler must
  // not flash a console window. A process that has a console already (Wine
  // hands a window program the console of the prompt that started it)
  // cannot attach, and writes to its own.
  const bool attached = ::AttachConsole(ATTACH_PARENT_PROCESS) != FALSE;
  if (!attached && ::GetLastError() != ERROR_ACCESS_DENIED)
    return false;
  bool written = false;
  HANDLE console = ::CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, 0, nullptr);
  if (console != INVALID_HANDLE_VALUE) {
    UniqueHandle owned(console);
    written = WriteToConsole(console, text);
  }
  if (attached)
    ::FreeConsole();
  return written;
}

} // namespace quorvin

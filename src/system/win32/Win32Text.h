#pragma once
// Conversions between the system's ANSI code page and UTF-16, and the
// system's message for an error code.

#include <windows.h>

#include <string>
#include <string_view>

namespace quorvin {

std::string NarrowText(const wchar_t* text);
std::wstring WideText(std::string_view text);
// Raises the platform error for code (SystemError).
[[noreturn]] void ThrowSystemError(DWORD code);

} // namespace quorvin

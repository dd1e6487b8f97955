#pragma once
// Letter case of ASCII letters only: the profile functions, the registry and
// the adapter identities compare names so, whatever the code page's other
// letters are.

#include <string>
#include <string_view>

namespace quorvin {

constexpr char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
constexpr char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string LowerAscii(std::string_view text);
std::string UpperAscii(std::string_view text);
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

} // namespace quorvin

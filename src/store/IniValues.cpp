#include "store/IniValues.h"

#include <charconv>
#include <string>

namespace quorvin {

std::optional<std::int32_t> ParseInteger(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (!text.empty() && text.front() == '$') {
    base = 16;
    text.remove_prefix(1);
  } else if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  // from_chars would take a sign of its own: only digits may follow.
  if (text.empty() || text.front() == '-' || text.front() == '+')
    return std::nullopt;
  std::uint64_t magnitude = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
  if (error != std::errc() || end != text.data() + text.size())
    return std::nullopt;
  if (base == 16) {
    if (magnitude > 0xFFFFFFFFu)
      return std::nullopt;
    auto value = static_cast<std::uint32_t>(magnitude);
    if (negative)
      value = 0u - value;
    return static_cast<std::int32_t>(value);
  }
  if (magnitude > (negative ? 2147483648u : 2147483647u))
    return std::nullopt;
  return static_cast<std::int32_t>(negative ? -static_cast<std::int64_t>(magnitude)
                                            : static_cast<std::int64_t>(magnitude));
}

std::int32_t ReadInteger(ProfileFile& file, std::string_view section, std::string_view key,
                         std::int32_t defaultValue) {
  return ParseInteger(file.ReadString(section, key, "")).value_or(defaultValue);
}

bool ReadBool(ProfileFile& file, std::string_view section, std::string_view key, bool defaultValue) {
  return ReadInteger(file, section, key, defaultValue ? 1 : 0) != 0;
}

void WriteInteger(ProfileFile& file, std::string_view section, std::string_view key, std::int32_t value) {
  file.WriteString(section, key, std::to_string(value));
}

void WriteBool(ProfileFile& file, std::string_view section, std::string_view key, bool value) {
  file.WriteString(section, key, value ? "1" : "0");
}

void WriteText(ProfileFile& file, std::string_view section, std::string_view key, std::string_view value) {
  if (value.find_first_of("\r\n") == std::string_view::npos) {
    file.WriteString(section, key, value);
    return;
  }
  std::string line;
  for (const char c : value)
    if (c != '\r' && c != '\n')
      line += c;
  file.WriteString(section, key, line);
}

} // namespace quorvin

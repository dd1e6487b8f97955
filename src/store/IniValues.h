#pragma once
// The value forms of the settings file: integers in decimal (read also as
// "$" or "0x" hexadecimal), booleans as "1" and "0".

#include "store/ProfileFile.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace quorvin {

// Decimal with an optional sign, or hexadecimal after "$", "0x" or "0X" (up
// to eight digits, wrapping into the signed range as "$FFFFFFFF" is -1).
// Nothing for an empty text, other characters or a decimal out of range.
std::optional<std::int32_t> ParseInteger(std::string_view text);

std::int32_t ReadInteger(ProfileFile& file, std::string_view section, std::string_view key,
                         std::int32_t defaultValue);
bool ReadBool(ProfileFile& file, std::string_view section, std::string_view key, bool defaultValue);
void WriteInteger(ProfileFile& file, std::string_view section, std::string_view key, std::int32_t value);
void WriteBool(ProfileFile& file, std::string_view section, std::string_view key, bool value);
// A text value as one line: its CR and LF left out, so that a value taken
// from the system (a proxy address read back) can never add lines, and so
// keys, to the file.
void WriteText(ProfileFile& file, std::string_view section, std::string_view key, std::string_view value);

} // namespace quorvin

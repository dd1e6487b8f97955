#pragma once
// IPv4 addresses as texts: four decimal numbers of 0..255 joined by ".".

#include <cstdint>
#include <optional>
#include <string_view>

namespace quorvin {

// The address as a number, first field highest; nothing for any other text
// (blanks, a fifth field, a field of more than three digits).
std::optional<std::uint32_t> ParseDottedQuad(std::string_view text);

} // namespace quorvin

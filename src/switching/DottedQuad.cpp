#include "switching/DottedQuad.h"

#include <cstddef>

namespace quorvin {

std::optional<std::uint32_t> ParseDottedQuad(std::string_view text) {
  std::uint32_t value = 0;
  int fields = 0;
  std::size_t at = 0;
  while (true) {
    std::size_t digits = 0;
    std::uint32_t field = 0;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9' && digits < 4) {
      field = field * 10 + static_cast<std::uint32_t>(text[at] - '0');
      ++at;
      ++digits;
    }
    if (digits == 0 || digits > 3 || field > 255)
      return std::nullopt;
    value = (value << 8) | field;
    if (++fields == 4)
      return at == text.size() ? std::optional(value) : std::nullopt;
    if (at == text.size() || text[at] != '.')
      return std::nullopt;
    ++at;
  }
}

} // namespace quorvin

#pragma once
// The one error type of the program: a fixed text with the system's code.
// The general error handler shows its text in a message box.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quorvin {

class QuorvinError : public std::runtime_error {
public:
  explicit QuorvinError(const std::string& text, std::uint32_t code = 0)
      : std::runtime_error(text), FCode(code) {}
  std::uint32_t Code() const noexcept { return FCode; }

private:
  std::uint32_t FCode;
};

// Puts argument in place of the first "%s" of a fixed text.
std::string FormatText(std::string_view pattern, std::string_view argument);

// The fixed text of a refused write to a file.
inline QuorvinError WriteRefused(std::string_view path, std::uint32_t code = 0) {
  return QuorvinError(FormatText("Unable to write to %s", path), code);
}

} // namespace quorvin

#include "system/SystemError.h"

namespace quorvin {

std::string SystemErrorText(std::uint32_t code, std::string_view message) {
  while (!message.empty() &&
         (static_cast<unsigned char>(message.back()) <= 0x20 || message.back() == '.'))
    message.remove_suffix(1);
  // The code prints as a signed number, as the platform's error text does.
  return "System Error.  Code: " + std::to_string(static_cast<std::int32_t>(code)) + ".\r\n" +
         std::string(message);
}

QuorvinError SystemError(std::uint32_t code, std::string_view message) {
  return QuorvinError(SystemErrorText(code, message), code);
}

} // namespace quorvin

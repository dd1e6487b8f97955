#pragma once
// The platform error shown for a failed system call: "System Error.  Code:
// %d." (two blanks), a line break and the system's message for the code.

#include "base/QuorvinError.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace quorvin {

// The system's message loses its trailing blanks, line breaks and periods.
std::string SystemErrorText(std::uint32_t code, std::string_view message);
QuorvinError SystemError(std::uint32_t code, std::string_view message);

} // namespace quorvin

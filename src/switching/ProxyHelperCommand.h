#pragma once
// The command line that starts the proxy helper: its full path beside the
// running program (never a search along the path, which could run a planted
// copy), then the command and the two values, each quoted so that an empty
// address or one with blanks keeps its place.

#include <string>
#include <string_view>

namespace quorvin {

inline constexpr std::string_view kProxyHelperFileName = "Pevrix.exe";

// A double quote cannot be passed inside a quoted argument of the helper,
// and a NUL would end the whole command line there: both are left out.
std::string QuoteArgument(std::string_view text);

std::string ProxyHelperCommandLine(std::string_view programFolder, bool useProxy, std::string_view address,
                                   std::string_view port);

} // namespace quorvin

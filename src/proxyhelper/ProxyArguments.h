#pragma once
// Pevrix's command line: the split into arguments and the three positions
// that the helper reads after its own path.

#include <string>
#include <string_view>
#include <vector>

namespace quorvin::pevrix {

// The three positional arguments; a position beyond the last argument is "".
struct ProxyArguments {
  std::string Command;
  std::string Server;
  std::string Port;
};

// Splits a whole command line (the program path included) into arguments:
// characters up to 0x20 separate, a double quote opens or closes a group in
// which they do not, and the quotes themselves are dropped ("" is an empty
// argument).
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

// Takes positions 1 to 3 of a whole command line; further ones are ignored.
ProxyArguments ParseProxyArguments(std::string_view commandLine);

// Compares an argument with a command word without regard to the case of
// the letters a to z; any other character must match as it is.
bool SameCommand(std::string_view argument, std::string_view commandWord);

} // namespace quorvin::pevrix

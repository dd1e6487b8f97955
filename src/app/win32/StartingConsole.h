#pragma once
// The console a command-line run was started from, for its script: the
// lines go to the standard output when it was redirected to a file or a
// pipe, else to the console of the parent process. A run started without
// either writes nothing and opens no console of its own.

#include <string>
#include <vector>

namespace quorvin {

// Each line followed by CR LF; false when nothing could take them.
bool WriteToStartingConsole(const std::vector<std::string>& lines);

} // namespace quorvin

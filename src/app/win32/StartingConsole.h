#pragma once
// The console a command-line run was started from, for its script: the
// lines go to the standard output when it was redirected to a file or a
// pipe, else to the console of the parent process. A run started without
// either writes nothing and opens no console of its own.

#include <string>
#include <vector>

namespace quorvin {

// What a file or a pipe gets: the lines as they are (the ANSI code page),
// or in UTF-8, as a JSON reader expects. A console always shows them right.
enum class TRedirectedText { Ansi, Utf8 };

// Each line followed by CR LF; false when nothing could take them.
bool WriteToStartingConsole(const std::vector<std::string>& lines,
                            TRedirectedText redirected = TRedirectedText::Ansi);

} // namespace quorvin

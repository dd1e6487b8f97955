#pragma once
// "Quorvin.exe /check-sets path": whether a file is one the program loads as
// its settings file, for an installer that ships prepared sets. It loads the
// file as a start would (the options, the caption and items of every set)
// and refuses what a start would only make the best of: a missing or
// unreadable file, binary bytes, a file without an [Options] section, or a
// TabCount that is no number or lies outside the range a start holds it to.

#include "store/ProfileFile.h"

#include <string>
#include <string_view>
#include <vector>

namespace quorvin {

// The first argument that asks for the check (any case); the path follows.
inline constexpr std::string_view kCheckSetsArgument = "/check-sets";
bool IsCheckSetsArgument(std::string_view argument);

// The exit codes of the check.
inline constexpr int kSetsFileLoads = 0;
inline constexpr int kSetsFileRefused = 2;

struct TSetsFileCheck {
  int ExitCode = kSetsFileRefused;
  // One line: what was loaded, or why the file is refused.
  std::string Reason;
};

// Checks the file at file.Path(), reading its bytes once and then loading it
// through file, the same loader a start uses.
TSetsFileCheck CheckSetsFile(ProfileFile& file);

// What the check prints on the console it was started from.
std::vector<std::string> CheckSetsLines(const TSetsFileCheck& check, std::string_view path);

} // namespace quorvin

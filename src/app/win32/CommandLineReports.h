#pragma once
// The command-line runs that only report and end: they open no window and
// meet no running instance.

#include <optional>
#include <string>

namespace quorvin {

// "/check-sets path": checks path with the program's own loader and prints
// the verdict on the starting console; the exit code (kSetsFileLoads or
// kSetsFileRefused).
int CheckSetsFromCommandLine(const std::string& path);

// "/status" when no set has that name: prints one JSON line per adapter
// (StatusLines) and ends with 0; nothing for any other argument.
std::optional<int> StatusFromCommandLine(const std::string& argument);

} // namespace quorvin

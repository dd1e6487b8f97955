#pragma once
// User-visible texts by number. On Windows they come from the program's
// STRINGTABLE (LoadStringA); elsewhere from the same list compiled in, so
// that native tests see the texts the program shows.

#include <string>

namespace quorvin {

enum class TextId : int {
#define QUORVIN_TEXT(number, name, text) name = number,
#include "base/TextTable.inc"
#undef QUORVIN_TEXT
};

// The text of id; empty when the program carries no such text.
std::string LoadText(TextId id);

} // namespace quorvin

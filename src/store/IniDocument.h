#pragma once
// The bytes of a settings file and the structure that the Windows profile
// functions see in them. Edits change only the bytes they must (Windows edits
// the file in place), so comments, blank lines and untouched lines survive.
//
// Nothing is kept besides the bytes: each call walks the lines it needs, so
// that a file of millions of short lines costs its own size and no more.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quorvin {

class IniDocument {
public:
  explicit IniDocument(std::string bytes = {});

  const std::string& Bytes() const { return FBytes; }

  // The value as the profile functions return it: trimmed, with one outer
  // pair of matching quotes removed; nothing when the key is missing.
  std::optional<std::string> Read(std::string_view section, std::string_view key) const;

  // Replaces the line of an existing key, or adds the key after the last
  // entry of its section, or adds the section at the end of the file.
  void Write(std::string_view section, std::string_view key, std::string_view value);

  // Removes the header and the entries of each section of that name; its
  // comment lines stay where they are. False when there was none.
  bool EraseSection(std::string_view section);

private:
  std::string FBytes;
};

// The profile functions' notion of blanks in the file: 0x09-0x0D, 0x20, 0x1A.
std::string_view TrimBlanks(std::string_view text);
// What the profile functions drop from the names they are given: spaces only.
std::string_view TrimSpaces(std::string_view text);
// The section name of a header line as the profile functions read it: the
// text after the first non-blank "[" up to the first "]" (or the end of the
// line), trimmed; nothing for a line that is no header.
std::optional<std::string_view> HeaderName(std::string_view line);

} // namespace quorvin

#pragma once
// The bytes of a settings file and the structure that the Windows profile
// functions see in them. Edits change only the bytes they must (Windows edits
// the file in place), so comments, blank lines and untouched lines survive.
//
// Besides the bytes, a document keeps where each section's header starts,
// made at the first call that looks for a section and kept up to date by the
// writes, so that a read or a write walks only the lines of its own section.
// A read may make that index: a document is for one thread at a time, reads
// included.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

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
  // Where the first header of that section starts, or npos.
  std::size_t SectionStart(std::string_view section) const;
  // The bytes after offset moved by delta; a new header may have appeared.
  void Edited(std::size_t offset, std::ptrdiff_t delta, bool headersMayChange);

  std::string FBytes;
  // Lower-cased section name to the offset of its first header.
  mutable std::optional<std::unordered_map<std::string, std::size_t>> FHeaders;
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

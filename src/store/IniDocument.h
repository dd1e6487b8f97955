#pragma once
// The bytes of a settings file and the structure that the Windows profile
// functions see in them. Edits change only the bytes they must (Windows edits
// the file in place), so comments, blank lines and untouched lines survive.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

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

  // Removes the header and every line of each section of that name.
  void EraseSection(std::string_view section);

private:
  enum class LineKind { Blank, Comment, Header, Key, Other };
  struct Line {
    std::size_t Begin = 0; // first byte of the line
    std::size_t End = 0;   // end of its text, where the line break starts
    std::size_t Next = 0;  // first byte after the line break
    LineKind Kind = LineKind::Blank;
    std::string_view Name;  // header or key name, trimmed
    std::string_view Value; // key value, trimmed
  };
  struct Section {
    std::size_t Header = 0;    // line of the header
    std::size_t End = 0;       // line after the section's last line
    std::size_t LastEntry = 0; // last key (or other entry) line, else the header
  };

  void Parse();
  const Section* FindSection(std::string_view name) const;
  // The first line of the key in the section (sections are short: a scan).
  const Line* FindKey(const Section& section, std::string_view key) const;

  std::string FBytes;
  std::vector<Line> FLines;
  std::vector<Section> FSections;
  std::unordered_map<std::string, std::size_t> FSectionByName; // first of duplicates
};

// The profile functions' notion of blanks: 0x09-0x0D, 0x20 and 0x1A.
std::string_view TrimBlanks(std::string_view text);
std::string LowerAscii(std::string_view text);
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

} // namespace quorvin

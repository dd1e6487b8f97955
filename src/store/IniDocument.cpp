#include "store/IniDocument.h"

#include "base/AsciiCase.h"

#include <algorithm>
#include <cstring>

namespace quorvin {
namespace {

bool IsBlank(char c) { return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x1A; }

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

// The first line break at or after pos, or the end. memchr looks for each
// of the two breaks (the two-character find_first_of would call it once per
// byte); the look for LF goes a window at a time, so that lines ending in a
// lone CR cost no search to the end of the file each.
std::size_t LineEnd(std::string_view bytes, std::size_t pos) {
  constexpr std::size_t kWindow = 256;
  for (; pos < bytes.size(); pos += kWindow) {
    const char* begin = bytes.data() + pos;
    const std::size_t length = std::min(kWindow, bytes.size() - pos);
    const auto* lf = static_cast<const char*>(std::memchr(begin, '\n', length));
    const std::size_t beforeLf = lf ? static_cast<std::size_t>(lf - begin) : length;
    if (const auto* cr = static_cast<const char*>(std::memchr(begin, '\r', beforeLf)))
      return pos + static_cast<std::size_t>(cr - begin);
    if (lf)
      return pos + beforeLf;
  }
  return bytes.size();
}

std::string_view TrimRight(std::string_view text) {
  while (!text.empty() && IsBlank(text.back()))
    text.remove_suffix(1);
  return text;
}

constexpr std::string_view kCrLf = "\r\n";

enum class LineKind { Blank, Comment, Header, Key, Other };

struct Line {
  std::size_t Begin = 0; // first byte of the line
  std::size_t End = 0;   // end of its text, where the line break starts
  std::size_t Next = 0;  // first byte after the run of line breaks
  LineKind Kind = LineKind::Blank;
  std::string_view Name;  // header or key name, trimmed
  std::string_view Value; // key value, trimmed
};

// The line that starts at begin; any run of CR and LF is one line break.
Line ScanLine(std::string_view bytes, std::size_t begin) {
  Line line;
  line.Begin = begin;
  std::size_t pos = LineEnd(bytes, begin);
  line.End = pos;
  while (pos < bytes.size() && IsLineBreak(bytes[pos]))
    ++pos;
  line.Next = pos;

  const std::string_view text = TrimBlanks(bytes.substr(line.Begin, line.End - line.Begin));
  if (text.empty()) {
    line.Kind = LineKind::Blank;
  } else if (text.front() == ';') {
    line.Kind = LineKind::Comment;
  } else if (const auto header = HeaderName(text)) {
    line.Kind = LineKind::Header;
    line.Name = *header;
  } else if (const std::size_t eq = text.find('='); eq != std::string_view::npos) {
    line.Kind = LineKind::Key;
    line.Name = TrimRight(text.substr(0, eq));
    line.Value = TrimBlanks(text.substr(eq + 1));
  } else {
    line.Kind = LineKind::Other;
    line.Name = text;
  }
  return line;
}

// Whether the line at pos has "[" as its first non-blank byte.
bool StartsHeader(std::string_view bytes, std::size_t pos) {
  while (pos < bytes.size() && IsBlank(bytes[pos]) && !IsLineBreak(bytes[pos]))
    ++pos;
  return pos < bytes.size() && bytes[pos] == '[';
}

// The start of the line after the one at pos.
std::size_t SkipLine(std::string_view bytes, std::size_t pos) {
  pos = LineEnd(bytes, pos);
  while (pos < bytes.size() && IsLineBreak(bytes[pos]))
    ++pos;
  return pos;
}

// The lines of one section: from its header up to the next header.
struct SectionSpan {
  Line Header;
  std::optional<Line> Key;       // the first line of the wanted key
  std::optional<Line> LastEntry; // the last key (or other entry) line, when the key is missing
};

// The section whose first header starts at from, and in it the first line of
// key. The walk ends at that line: the lines after it matter to no edit.
std::optional<SectionSpan> FindSection(std::string_view bytes, std::size_t from, std::string_view section,
                                       std::string_view key) {
  const Line header = ScanLine(bytes, from);
  if (header.Kind != LineKind::Header || !EqualsIgnoringCase(header.Name, section))
    return std::nullopt;
  SectionSpan found{header, std::nullopt, std::nullopt};
  for (std::size_t pos = header.Next; pos < bytes.size();) {
    const Line line = ScanLine(bytes, pos);
    pos = line.Next;
    if (line.Kind == LineKind::Header)
      break;
    if (line.Kind == LineKind::Key || line.Kind == LineKind::Other) {
      if (line.Kind == LineKind::Key && EqualsIgnoringCase(line.Name, key)) {
        found.Key = line;
        break;
      }
      found.LastEntry = line;
    }
  }
  return found;
}

// One line break: CR LF, or a lone CR or LF.
std::size_t FirstBreakEnd(std::string_view bytes, const Line& line) {
  if (line.End == line.Next)
    return line.End;
  if (bytes[line.End] == '\r' && line.End + 1 < line.Next && bytes[line.End + 1] == '\n')
    return line.End + 2;
  return line.End + 1;
}

} // namespace

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front()))
    text.remove_prefix(1);
  return TrimRight(text);
}

std::string_view TrimSpaces(std::string_view text) {
  while (!text.empty() && text.front() == ' ')
    text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ')
    text.remove_suffix(1);
  return text;
}

std::optional<std::string_view> HeaderName(std::string_view line) {
  line = TrimBlanks(line);
  if (line.empty() || line.front() != '[')
    return std::nullopt;
  line.remove_prefix(1);
  return TrimBlanks(line.substr(0, line.find(']')));
}

IniDocument::IniDocument(std::string bytes) : FBytes(std::move(bytes)) {}

std::size_t IniDocument::SectionStart(std::string_view section) const {
  if (!FHeaders) {
    auto& headers = FHeaders.emplace();
    for (std::size_t pos = 0; pos < FBytes.size(); pos = SkipLine(FBytes, pos)) {
      if (!StartsHeader(FBytes, pos))
        continue;
      // The first of sections with one name wins, as in the reads.
      if (const auto name = HeaderName(std::string_view(FBytes).substr(pos, LineEnd(FBytes, pos) - pos)))
        headers.try_emplace(LowerAscii(*name), pos);
    }
  }
  const auto found = FHeaders->find(LowerAscii(section));
  return found == FHeaders->end() ? std::string::npos : found->second;
}

void IniDocument::Edited(std::size_t offset, std::ptrdiff_t delta, bool headersMayChange) {
  if (!FHeaders)
    return;
  if (headersMayChange) {
    FHeaders.reset();
    return;
  }
  for (auto& [name, start] : *FHeaders)
    if (start > offset)
      start = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(start) + delta);
}

std::optional<std::string> IniDocument::Read(std::string_view section, std::string_view key) const {
  section = TrimSpaces(section);
  const std::size_t start = SectionStart(section);
  if (start == std::string::npos)
    return std::nullopt;
  const auto found = FindSection(FBytes, start, section, TrimSpaces(key));
  if (!found || !found->Key)
    return std::nullopt;
  std::string_view value = found->Key->Value;
  // Quotes are the only way to keep outer blanks: one matching pair goes.
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return std::string(value);
}

void IniDocument::Write(std::string_view section, std::string_view key, std::string_view value) {
  section = TrimSpaces(section);
  key = TrimSpaces(key);
  // Names and values with line breaks, or a key line that reads as a header,
  // make headers of their own: the index is made anew then.
  const bool headersMayChange = section.find_first_of("\r\n") != std::string_view::npos ||
                                key.find_first_of("\r\n") != std::string_view::npos ||
                                value.find_first_of("\r\n") != std::string_view::npos ||
                                TrimBlanks(key).starts_with('[');
  const std::size_t start = SectionStart(section);
  const auto found = start == std::string::npos ? std::nullopt : FindSection(FBytes, start, section, key);
  if (!found) {
    if (!FBytes.empty() && !IsLineBreak(FBytes.back()))
      FBytes.append(kCrLf);
    const std::size_t header = FBytes.size();
    FBytes.append("[").append(section).append("]").append(kCrLf);
    FBytes.append(key).append("=").append(value).append(kCrLf);
    if (headersMayChange)
      FHeaders.reset();
    else if (FHeaders)
      if (const auto name = HeaderName(std::string_view(FBytes).substr(header, LineEnd(FBytes, header) - header)))
        FHeaders->try_emplace(LowerAscii(*name), header);
    return;
  }
  if (found->Key) {
    // The line is written anew with its own CR LF; the blank lines after it
    // stay as they were.
    const Line& line = *found->Key;
    std::string text(line.Name);
    text.append("=").append(value).append(kCrLf);
    const std::size_t replaced = FirstBreakEnd(FBytes, line) - line.Begin;
    FBytes.replace(line.Begin, replaced, text);
    Edited(line.Begin, static_cast<std::ptrdiff_t>(text.size()) - static_cast<std::ptrdiff_t>(replaced),
           headersMayChange);
    return;
  }
  const Line& after = found->LastEntry ? *found->LastEntry : found->Header;
  std::string text(kCrLf);
  text.append(key).append("=").append(value);
  // Inserted before the line break of the last entry, so the break (and any
  // blank lines in it) stays after the new key.
  if (after.Next == after.End)
    text.append(kCrLf);
  FBytes.insert(after.End, text);
  Edited(after.End, static_cast<std::ptrdiff_t>(text.size()), headersMayChange);
}

bool IniDocument::EraseSection(std::string_view section) {
  section = TrimSpaces(section);
  std::string kept;
  bool erasing = false;
  bool erased = false;
  std::size_t copiedUpTo = 0; // bytes before this offset are decided
  for (std::size_t pos = 0; pos < FBytes.size();) {
    const Line line = ScanLine(FBytes, pos);
    pos = line.Next;
    if (line.Kind == LineKind::Header)
      erasing = EqualsIgnoringCase(line.Name, section);
    if (!erasing || line.Kind == LineKind::Comment)
      continue;
    if (!erased) {
      kept.reserve(FBytes.size());
      erased = true;
    }
    kept.append(FBytes, copiedUpTo, line.Begin - copiedUpTo);
    copiedUpTo = line.Next;
  }
  if (!erased)
    return false;
  kept.append(FBytes, copiedUpTo, std::string::npos);
  FBytes = std::move(kept);
  FHeaders.reset();
  return true;
}

} // namespace quorvin

#include "store/IniDocument.h"

#include <algorithm>

namespace quorvin {
namespace {

bool IsBlank(char c) {
  return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x1A;
}

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

std::string_view TrimRight(std::string_view text) {
  while (!text.empty() && IsBlank(text.back()))
    text.remove_suffix(1);
  return text;
}

constexpr std::string_view kCrLf = "\r\n";

} // namespace

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front()))
    text.remove_prefix(1);
  return TrimRight(text);
}

std::string LowerAscii(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  });
  return lower;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size())
    return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z')
      x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z')
      y = static_cast<char>(y - 'A' + 'a');
    if (x != y)
      return false;
  }
  return true;
}

IniDocument::IniDocument(std::string bytes) : FBytes(std::move(bytes)) { Parse(); }

void IniDocument::Parse() {
  FLines.clear();
  FSections.clear();
  FSectionByName.clear();
  const std::string_view bytes(FBytes);
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    Line line;
    line.Begin = pos;
    while (pos < bytes.size() && !IsLineBreak(bytes[pos]))
      ++pos;
    line.End = pos;
    // Any run of CR and LF is one line break.
    while (pos < bytes.size() && IsLineBreak(bytes[pos]))
      ++pos;
    line.Next = pos;

    const std::string_view text = TrimBlanks(bytes.substr(line.Begin, line.End - line.Begin));
    const std::size_t closing = text.rfind(']');
    if (text.empty()) {
      line.Kind = LineKind::Blank;
    } else if (text.front() == ';') {
      line.Kind = LineKind::Comment;
    } else if (text.front() == '[' && closing != std::string_view::npos) {
      line.Kind = LineKind::Header;
      line.Name = TrimBlanks(text.substr(1, closing - 1));
    } else if (const std::size_t eq = text.find('='); eq != std::string_view::npos) {
      line.Kind = LineKind::Key;
      line.Name = TrimRight(text.substr(0, eq));
      line.Value = TrimBlanks(text.substr(eq + 1));
    } else {
      line.Kind = LineKind::Other;
      line.Name = text;
    }
    FLines.push_back(line);
  }

  for (std::size_t i = 0; i < FLines.size(); ++i) {
    const Line& line = FLines[i];
    if (line.Kind == LineKind::Header) {
      if (!FSections.empty())
        FSections.back().End = i;
      FSections.push_back(Section{i, FLines.size(), i});
      FSectionByName.try_emplace(LowerAscii(line.Name), FSections.size() - 1);
    } else if (!FSections.empty() && (line.Kind == LineKind::Key || line.Kind == LineKind::Other)) {
      FSections.back().LastEntry = i;
    }
  }
}

const IniDocument::Section* IniDocument::FindSection(std::string_view name) const {
  auto found = FSectionByName.find(LowerAscii(TrimBlanks(name)));
  return found == FSectionByName.end() ? nullptr : &FSections[found->second];
}

const IniDocument::Line* IniDocument::FindKey(const Section& section, std::string_view key) const {
  key = TrimBlanks(key);
  for (std::size_t i = section.Header + 1; i < section.End; ++i)
    if (FLines[i].Kind == LineKind::Key && EqualsIgnoringCase(FLines[i].Name, key))
      return &FLines[i];
  return nullptr;
}

std::optional<std::string> IniDocument::Read(std::string_view section, std::string_view key) const {
  const Section* found = FindSection(section);
  const Line* line = found ? FindKey(*found, key) : nullptr;
  if (!line)
    return std::nullopt;
  std::string_view value = line->Value;
  // Quotes are the only way to keep outer blanks: one matching pair goes.
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return std::string(value);
}

void IniDocument::Write(std::string_view section, std::string_view key, std::string_view value) {
  section = TrimBlanks(section);
  key = TrimBlanks(key);
  if (const Section* found = FindSection(section)) {
    if (const Line* existing = FindKey(*found, key)) {
      const Line& line = *existing;
      std::string text(line.Name);
      text.append("=").append(value);
      FBytes.replace(line.Begin, line.End - line.Begin, text);
    } else {
      const Line& after = FLines[found->LastEntry];
      std::string text(kCrLf);
      text.append(key).append("=").append(value);
      // Inserted before the line break of the last entry, so the break (and
      // any blank lines in it) stays after the new key.
      if (after.Next == after.End)
        text.append(kCrLf);
      FBytes.insert(after.End, text);
    }
  } else {
    if (!FBytes.empty() && !IsLineBreak(FBytes.back()))
      FBytes.append(kCrLf);
    FBytes.append("[").append(section).append("]").append(kCrLf);
    FBytes.append(key).append("=").append(value).append(kCrLf);
  }
  Parse();
}

void IniDocument::EraseSection(std::string_view section) {
  const std::string_view wanted = TrimBlanks(section);
  bool erased = false;
  // From the last section to the first, so earlier offsets stay valid.
  for (auto it = FSections.rbegin(); it != FSections.rend(); ++it) {
    if (!EqualsIgnoringCase(FLines[it->Header].Name, wanted))
      continue;
    const std::size_t begin = FLines[it->Header].Begin;
    const std::size_t end = it->End < FLines.size() ? FLines[it->End].Begin : FBytes.size();
    FBytes.erase(begin, end - begin);
    erased = true;
  }
  if (erased)
    Parse();
}

} // namespace quorvin

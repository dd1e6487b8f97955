#include "store/Settings.h"

#include "store/FileIo.h"
#include "base/QuorvinError.h"
#include "store/IniDocument.h"
#include "store/IniValues.h"

#include <algorithm>
#include <optional>

namespace quorvin {

std::string GetSettingsFolder() { return GetExecutableFolder(); }

std::string GetSettingsPath() { return GetSettingsFolder() + std::string(kSettingsFileName); }

namespace {

// "AskToKeep" as the file keeps it: 0 never (what "no" reads as in a
// hand-edited file), 1 when new or changed, 2 always.
constexpr std::string_view kAskToKeep = "AskToKeep";
constexpr std::string_view kKeepSeconds = "KeepSeconds";
constexpr std::string_view kSwitchAutomatically = "SwitchAutomatically";

std::int32_t KeepQuestionNumber(TKeepQuestion question) {
  switch (question) {
  case TKeepQuestion::Always:
    return 2;
  case TKeepQuestion::WhenNewOrChanged:
    return 1;
  case TKeepQuestion::Never:
    break;
  }
  return 0;
}

TKeepQuestion KeepQuestionFromNumber(std::int32_t number, TKeepQuestion fallback) {
  switch (number) {
  case 0:
    return TKeepQuestion::Never;
  case 1:
    return TKeepQuestion::WhenNewOrChanged;
  case 2:
    return TKeepQuestion::Always;
  default:
    return fallback;
  }
}

// Whether the file has the key at all: a missing key gives back each of two
// different defaults, a present one its value both times.
bool NamesKey(ProfileFile& file, std::string_view section, std::string_view key) {
  return file.ReadString(section, key, "0") == file.ReadString(section, key, "1");
}

void LoadKeepQuestion(ProfileFile& file, TOptionsSetting& options) {
  const bool missing = !file.Exists();
  const TKeepQuestion fallback = missing ? TKeepQuestion::WhenNewOrChanged : TKeepQuestion::Never;
  options.KeepQuestion = KeepQuestionFromNumber(
      ReadInteger(file, kOptionsSection, kAskToKeep, KeepQuestionNumber(fallback)), fallback);
  options.KeepSeconds =
      std::clamp(ReadInteger(file, kOptionsSection, kKeepSeconds, 20), kMinKeepSeconds, kMaxKeepSeconds);
  options.SaveKeepQuestion = missing || NamesKey(file, kOptionsSection, kAskToKeep) ||
                             NamesKey(file, kOptionsSection, kKeepSeconds);
}

void LoadOptions(ProfileFile& file, TOptionsSetting& options, TWindowOptions& window) {
  window.CurrentSet = ReadInteger(file, kOptionsSection, "DefaultTab", 0);
  options.TabCount =
      std::clamp(ReadInteger(file, kOptionsSection, "TabCount", 5), kMinTabCount, kMaxTabCount);
  if (options.TabCount <= window.CurrentSet)
    window.CurrentSet = options.TabCount - 1;
  if (window.CurrentSet < 0)
    window.CurrentSet = 0;
  window.SetNames.clear();
  window.SetNames.reserve(static_cast<std::size_t>(options.TabCount));
  for (int i = 0; i < options.TabCount; ++i)
    window.SetNames.push_back(file.ReadString(SetSectionName(i), "Caption", DefaultSetCaption(i)));
  options.AutoCloseDialog = ReadBool(file, kOptionsSection, "AutoCloseDialog", false);
  options.AskBeforeLoad = ReadBool(file, kOptionsSection, "AskBeforeLoad", true);
  options.AskBeforeExit = ReadBool(file, kOptionsSection, "AskBeforeExit", true);
  LoadKeepQuestion(file, options);
  options.SwitchAutomatically = ReadBool(file, kOptionsSection, kSwitchAutomatically, true);
  options.SaveSwitchAutomatically = NamesKey(file, kOptionsSection, kSwitchAutomatically);
}

void SaveOptions(ProfileFile& file, const TOptionsSetting& options, const TWindowOptions& window) {
  WriteInteger(file, kOptionsSection, "DefaultTab", window.CurrentSet);
  WriteInteger(file, kOptionsSection, "TabCount", static_cast<std::int32_t>(window.SetNames.size()));
  WriteBool(file, kOptionsSection, "AutoCloseDialog", options.AutoCloseDialog);
  WriteBool(file, kOptionsSection, "AskBeforeLoad", options.AskBeforeLoad);
  WriteBool(file, kOptionsSection, "AskBeforeExit", options.AskBeforeExit);
  if (options.SaveKeepQuestion) {
    WriteInteger(file, kOptionsSection, kAskToKeep, KeepQuestionNumber(options.KeepQuestion));
    WriteInteger(file, kOptionsSection, kKeepSeconds, options.KeepSeconds);
  }
  if (options.SaveSwitchAutomatically)
    WriteBool(file, kOptionsSection, kSwitchAutomatically, options.SwitchAutomatically);
}

} // namespace

SettingsFileState LoadOrSaveOptions(bool load, ProfileFile& file, TOptionsSetting& options,
                                    TWindowOptions& window) {
  const SettingsFileState state = file.Exists() ? SettingsFileState::Existed : SettingsFileState::Missing;
  if (load)
    LoadOptions(file, options, window);
  else
    SaveOptions(file, options, window);
  return state;
}

void TakeSetSnapshot(TOptionsSetting& options, const TSetRecord& shown) { options.Snapshot = shown; }

bool IsSetModified(const TOptionsSetting& options, const TSetRecord& shown) {
  return FirstDifference(options.Snapshot, shown).has_value();
}

namespace {

// The file's lines (CR LF, a lone CR and a lone LF each end one; a last line
// without a break still counts), each passed through edit and ended by CR
// LF. One pass over the bytes: a file of millions of short lines costs no
// more than its bytes.
template <class Edit>
std::string RewriteLines(std::string_view bytes, Edit edit) {
  std::string rewritten;
  rewritten.reserve(bytes.size() + bytes.size() / 2);
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = start;
    while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
      ++end;
    rewritten.append(edit(bytes.substr(start, end - start))).append("\r\n");
    if (end < bytes.size() && bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n')
      ++end;
    start = end + 1;
  }
  return rewritten;
}

std::string ReadExistingFile(const std::string& path) {
  auto bytes = ReadWholeFile(path);
  if (!bytes)
    throw QuorvinError("Cannot open file \"" + path + "\". The system cannot find the file specified", 2);
  return std::move(*bytes);
}

std::string Header(int number) { return "[" + std::to_string(number) + "]"; }

// The set number that a section name stands for, as SetSectionName writes
// it; nothing for any other name.
std::optional<int> SetNumber(std::string_view name) {
  if (name.empty() || name.size() > 9 || (name.size() > 1 && name.front() == '0'))
    return std::nullopt;
  int number = 0;
  for (const char c : name) {
    if (c < '0' || c > '9')
      return std::nullopt;
    number = number * 10 + (c - '0');
  }
  return number;
}

} // namespace

void ReplaceIniLine(const std::string& path, std::string_view oldLine, std::string_view newLine) {
  const std::string bytes = ReadExistingFile(path);
  bool replaced = false;
  const std::string rewritten = RewriteLines(bytes, [&](std::string_view line) {
    if (replaced || line != oldLine)
      return line;
    replaced = true;
    return newLine;
  });
  WriteFileAtomically(path, rewritten);
}

void EraseSetSection(ProfileFile& file, int index, int countAfter) {
  // Nothing to renumber after the last set, or in a file that was never
  // written: the profile functions erase the section.
  if (index >= countAfter || !file.Exists()) {
    file.EraseSection(SetSectionName(index));
    return;
  }
  // The erase and every header's move in one rewrite, so no moment leaves
  // two sections with one number, or a gap where the erased set was. The
  // erase follows the profile functions' rule (the section's comment lines
  // stay). Moving k to k-1 never makes a header named k+1 or above, so one
  // walk gives what one replacement per header in increasing k gives.
  IniDocument document(ReadExistingFile(file.Path()));
  document.EraseSection(SetSectionName(index));
  const std::string& bytes = document.Bytes();
  std::vector<bool> found(static_cast<std::size_t>(countAfter - index), false);
  std::string moved;
  const std::string rewritten = RewriteLines(bytes, [&](std::string_view line) {
    const auto name = HeaderName(line);
    const auto number = name ? SetNumber(*name) : std::nullopt;
    if (!number || *number <= index || *number > countAfter)
      return line;
    std::vector<bool>::reference seen = found[static_cast<std::size_t>(*number - index - 1)];
    if (seen)
      return line;
    seen = true;
    if (line != Header(*number))
      return line;
    moved = Header(*number - 1);
    return std::string_view(moved);
  });
  WriteFileAtomically(file.Path(), rewritten);
}

} // namespace quorvin

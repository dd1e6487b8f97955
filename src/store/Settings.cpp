#include "store/Settings.h"

#include "store/FileIo.h"
#include "base/QuorvinError.h"
#include "store/IniValues.h"

#include <algorithm>

namespace quorvin {

std::string GetSettingsFolder() { return GetExecutableFolder(); }

std::string GetSettingsPath() { return GetSettingsFolder() + std::string(kSettingsFileName); }

namespace {

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
}

void SaveOptions(ProfileFile& file, const TOptionsSetting& options, const TWindowOptions& window) {
  WriteInteger(file, kOptionsSection, "DefaultTab", window.CurrentSet);
  WriteInteger(file, kOptionsSection, "TabCount", static_cast<std::int32_t>(window.SetNames.size()));
  WriteBool(file, kOptionsSection, "AutoCloseDialog", options.AutoCloseDialog);
  WriteBool(file, kOptionsSection, "AskBeforeLoad", options.AskBeforeLoad);
  WriteBool(file, kOptionsSection, "AskBeforeExit", options.AskBeforeExit);
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

std::vector<std::string> SplitLines(std::string_view bytes) {
  // CR LF, a lone CR and a lone LF each end one line; a last line without a
  // break still counts.
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] != '\r' && bytes[i] != '\n')
      continue;
    lines.emplace_back(bytes.substr(start, i - start));
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
      ++i;
    start = i + 1;
  }
  if (start < bytes.size())
    lines.emplace_back(bytes.substr(start));
  return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::size_t size = 0;
  for (const auto& line : lines)
    size += line.size() + 2;
  std::string bytes;
  bytes.reserve(size);
  for (const auto& line : lines)
    bytes.append(line).append("\r\n");
  return bytes;
}

bool ReplaceFirstLine(std::vector<std::string>& lines, std::string_view oldLine, std::string_view newLine) {
  auto found = std::find(lines.begin(), lines.end(), oldLine);
  if (found == lines.end())
    return false;
  *found = newLine;
  return true;
}

namespace {

std::vector<std::string> ReadLines(const std::string& path) {
  auto bytes = ReadWholeFile(path);
  if (!bytes)
    throw QuorvinError("Cannot open file \"" + path + "\". The system cannot find the file specified", 2);
  return SplitLines(*bytes);
}

std::string Header(int number) { return "[" + std::to_string(number) + "]"; }

} // namespace

void ReplaceIniLine(const std::string& path, std::string_view oldLine, std::string_view newLine) {
  std::vector<std::string> lines = ReadLines(path);
  ReplaceFirstLine(lines, oldLine, newLine);
  WriteFileAtomically(path, JoinLines(lines));
}

void EraseSetSection(ProfileFile& file, int index, int countAfter) {
  file.EraseSection(SetSectionName(index));
  // Nothing to renumber in a file that was never written.
  if (index >= countAfter || !file.Exists())
    return;
  // All headers move in one rewrite, so no moment leaves two sections with
  // one number; the steps are those of one replacement per header.
  std::vector<std::string> lines = ReadLines(file.Path());
  for (int k = index + 1; k <= countAfter; ++k)
    ReplaceFirstLine(lines, Header(k), Header(k - 1));
  WriteFileAtomically(file.Path(), JoinLines(lines));
}

} // namespace quorvin

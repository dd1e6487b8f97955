#include "app/SetsFileCheck.h"

#include "base/AsciiCase.h"
#include "store/FileIo.h"
#include "store/IniDocument.h"
#include "store/IniValues.h"
#include "store/SetRecord.h"
#include "store/Settings.h"

#include <optional>

namespace quorvin {
namespace {

TSetsFileCheck Refused(std::string reason) { return {kSetsFileRefused, std::move(reason)}; }

bool HasOptionsSection(std::string_view bytes) {
  while (!bytes.empty()) {
    const std::size_t end = bytes.find_first_of("\r\n");
    const std::string_view line = bytes.substr(0, end);
    if (const auto name = HeaderName(line); name && EqualsIgnoringCase(*name, kOptionsSection))
      return true;
    if (end == std::string_view::npos)
      break;
    bytes.remove_prefix(end + 1);
  }
  return false;
}

// The checks of the bytes alone, before the loader sees them.
std::optional<TSetsFileCheck> RefuseBytes(const std::string& bytes) {
  if (bytes.find('\0') != std::string::npos)
    return Refused("not a settings file: it holds binary data");
  if (!HasOptionsSection(bytes))
    return Refused("not a settings file: it has no [Options] section");
  const IniDocument document(bytes);
  if (const auto tabCount = document.Read(kOptionsSection, "TabCount")) {
    const auto count = ParseInteger(*tabCount);
    if (!count)
      return Refused("TabCount \"" + *tabCount + "\" is not a number");
    if (*count < kMinTabCount || *count > kMaxTabCount)
      return Refused("TabCount " + std::to_string(*count) + " is outside " + std::to_string(kMinTabCount) + " to " +
                     std::to_string(kMaxTabCount));
  }
  return std::nullopt;
}

} // namespace

bool IsCheckSetsArgument(std::string_view argument) { return EqualsIgnoringCase(argument, kCheckSetsArgument); }

TSetsFileCheck CheckSetsFile(ProfileFile& file) {
  if (file.Path().empty())
    return Refused("no file named: /check-sets path");
  std::optional<std::string> bytes;
  try {
    bytes = ReadWholeFile(file.Path());
  } catch (const std::exception& error) {
    return Refused(std::string("unreadable: ") + error.what());
  }
  if (!bytes)
    return Refused("not found");
  if (auto refusal = RefuseBytes(*bytes))
    return *refusal;
  try {
    TOptionsSetting options;
    TWindowOptions window;
    if (LoadOrSaveOptions(true, file, options, window) != SettingsFileState::Existed)
      return Refused("not found");
    for (int i = 0; i < options.TabCount; ++i)
      LoadSet(file, i);
    return {kSetsFileLoads, "loads, with " + std::to_string(options.TabCount) + " sets"};
  } catch (const std::exception& error) {
    return Refused(std::string("cannot be loaded: ") + error.what());
  }
}

std::vector<std::string> CheckSetsLines(const TSetsFileCheck& check, std::string_view path) {
  const std::string verdict = check.ExitCode == kSetsFileLoads ? "" : "refused: ";
  return {std::string(path) + ": " + verdict + check.Reason};
}

} // namespace quorvin

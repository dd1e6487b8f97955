#include "app/win32/CommandLineReports.h"

#include "app/NetworkStatus.h"
#include "app/SetsFileCheck.h"
#include "app/win32/StartingConsole.h"
#include "store/Settings.h"
#include "store/win32/Win32ProfileFile.h"
#include "system/SystemServices.h"

#include <windows.h>

namespace quorvin {

int CheckSetsFromCommandLine(const std::string& path) {
  // The profile functions look a relative name up in the Windows folder:
  // the check reads the file the administrator named, from the current
  // folder.
  std::string fullPath = path;
  if (!path.empty()) {
    char buffer[MAX_PATH * 4];
    const DWORD length = GetFullPathNameA(path.c_str(), sizeof buffer, buffer, nullptr);
    if (length > 0 && length < sizeof buffer)
      fullPath.assign(buffer, length);
  }
  Win32ProfileFile file(fullPath);
  const TSetsFileCheck check = CheckSetsFile(file);
  WriteToStartingConsole(CheckSetsLines(check, path));
  return check.ExitCode;
}

std::optional<int> StatusFromCommandLine(const std::string& argument) {
  if (argument.size() != kStatusArgument.size())
    return std::nullopt;
  Win32ProfileFile file(GetSettingsPath());
  TOptionsSetting options;
  TWindowOptions window;
  LoadOrSaveOptions(true, file, options, window);
  if (!IsStatusArgument(argument, window.SetNames))
    return std::nullopt;
  const std::unique_ptr<SystemServices> system = CreateSystemServices();
  WriteToStartingConsole(StatusLines(file, *system), TRedirectedText::Utf8);
  return 0;
}

} // namespace quorvin

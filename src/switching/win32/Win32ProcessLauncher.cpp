#include "switching/win32/Win32ProcessLauncher.h"

#include "base/win32/HandleOwners.h"

#include <windows.h>

#include <vector>

namespace quorvin {

ProcessRun Win32ProcessLauncher::RunHidden(const std::string& commandLine) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION process{};
  // CreateProcessA may write into the command line.
  std::vector<char> buffer(commandLine.begin(), commandLine.end());
  buffer.push_back('\0');
  if (!::CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return {ProcessEnd::NotStarted};
  const UniqueHandle thread(process.hThread);
  const UniqueHandle program(process.hProcess);
  // A program that has not ended by then is left to finish on its own. A
  // failed wait or an unreadable exit code count the same: its end was not
  // seen.
  DWORD exitCode = 0;
  if (::WaitForSingleObject(program.get(), kProcessRunLimitMs) != WAIT_OBJECT_0 ||
      !::GetExitCodeProcess(program.get(), &exitCode))
    return {ProcessEnd::TimedOut};
  return {ProcessEnd::Exited, exitCode};
}

} // namespace quorvin

#include <windows.h>

#include <cstdlib>
#include <string>

#include "app/SetsFileCheck.h"
#include "app/win32/CommandLineReports.h"
#include "app/win32/QuorvinProgram.h"
#include "base/win32/System32Library.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // Before anything can load a DLL: the program runs elevated, and a DLL
  // looked up in its own folder could be a file planted there.
  quorvin::RestrictDllSearchToSystem32();
  const std::string firstArgument = __argc > 1 ? __argv[1] : "";
  // An installer's check of a settings file it ships: no window, and no
  // running instance takes it for a set's name.
  if (quorvin::IsCheckSetsArgument(firstArgument))
    return quorvin::CheckSetsFromCommandLine(__argc > 2 ? __argv[2] : "");
  // A report of the adapters, their networks and the sets in effect.
  if (const auto exitCode = quorvin::StatusFromCommandLine(firstArgument))
    return *exitCode;
  // A second start brings the first to the front, or hands it the set it
  // names and ends as that set's run ended.
  if (const auto exitCode = quorvin::StartWithRunningInstance(firstArgument))
    return *exitCode;
  return quorvin::RunQuorvin(firstArgument);
}

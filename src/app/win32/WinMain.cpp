#include <windows.h>

#include <cstdlib>
#include <string>

#include "app/win32/QuorvinProgram.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const std::string firstArgument = __argc > 1 ? __argv[1] : "";
  // A second start brings the first to the front, or hands it the set it
  // names and ends as that set's run ended.
  if (const auto exitCode = quorvin::StartWithRunningInstance(firstArgument))
    return *exitCode;
  return quorvin::RunQuorvin(firstArgument);
}

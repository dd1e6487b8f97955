#include <windows.h>

#include <cstdlib>

#include "app/win32/QuorvinProgram.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // A second start only brings the first to the front, whatever it was
  // asked for.
  if (quorvin::ShowRunningInstance())
    return 0;
  return quorvin::RunQuorvin(__argc > 1 ? __argv[1] : "");
}

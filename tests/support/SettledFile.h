#pragma once
// Waits for the event that lets a read trust a file's times (FileVersion::
// Settled): a read of the file that comes out settled. Bounded by the file's
// timestamp granularity and the clock's tick; used by the tests and the
// benchmarks of the portable engine's parsed copy.

#include "store/FileIo.h"

#include <chrono>
#include <string>
#include <thread>

namespace quorvin::test {

inline void WaitUntilSettled(const std::string& path) {
  for (;;) {
    FileVersion version;
    ReadWholeFile(path, version);
    if (version.Settled)
      return;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

} // namespace quorvin::test

#pragma once
// The machine's connections and adapters as a test sets them, with a
// failure of the adapter read on demand and a count of the reads.

#include "base/QuorvinError.h"
#include "system/NetworkInfo.h"

#include <optional>
#include <vector>

namespace quorvin::test {

class FakeNetwork final : public NetworkInfo {
public:
  std::optional<std::vector<ConnectionRecord>> Connections() override { return ConnectionList; }
  std::vector<AdapterRecord> Adapters() override {
    ++AdapterReads;
    if (AdaptersFail)
      throw QuorvinError("System Error.  Code: 1.\r\nIncorrect function", 1);
    return AdapterList;
  }

  // Nothing: the connections cannot be listed.
  std::optional<std::vector<ConnectionRecord>> ConnectionList;
  std::vector<AdapterRecord> AdapterList;
  bool AdaptersFail = false;
  int AdapterReads = 0;
};

} // namespace quorvin::test

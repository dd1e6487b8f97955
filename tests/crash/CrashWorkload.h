#pragma once
// The work that the crash harness interrupts: saves and deletes of sets in a
// settings file of kSetCount sets, each operation drawn from a seed and its
// number alone, so that a second process can replay the very same sequence
// and learn every state the file passes through.

#include "store/ProfileFile.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quorvin::crash {

inline constexpr int kSetCount = 20;

// The file of kSetCount sets that every run starts from.
std::string InitialFile(const std::string& scratchPath);

class Workload {
public:
  explicit Workload(std::uint32_t seed) : FSeed(seed) {}

  // Operation number op: a save of one set, the options, or a delete of one
  // set (which renumbers the later ones) followed by a new last set, so the
  // file keeps kSetCount sets.
  void Run(ProfileFile& file, std::uint32_t op) const;

private:
  std::uint32_t FSeed;
};

// Every content the file holds during operation op, in order: before it,
// after each single write through the profile file, and after it. ops
// before op are replayed first on a copy of initial at path.
std::vector<std::string> StatesOf(const Workload& workload, std::uint32_t op, const std::string& initial,
                                  const std::string& path);

} // namespace quorvin::crash

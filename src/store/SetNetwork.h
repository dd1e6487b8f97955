#pragma once
// The network a set belongs to, and what Quorvin does when the adapter is
// on it: keys of the set's section, written after the set's own keys and
// only once the user names a network, so that a section without them loads
// and saves as before. Saving the set (SaveSet) never writes them.

#include "base/NetworkSignature.h"
#include "store/ProfileFile.h"

namespace quorvin {

// "Apply automatically", "Ask first", "Only show".
enum class TAutoSwitch { Apply, Ask, Show };

struct TSetNetwork {
  TNetworkSignature Network;
  TAutoSwitch Mode = TAutoSwitch::Ask;

  bool operator==(const TSetNetwork&) const = default;
};

TSetNetwork LoadSetNetwork(ProfileFile& file, int index);
// Writes all five keys; nothing is written while the record equals what
// the file already holds, so looking never adds keys.
void SaveSetNetwork(ProfileFile& file, int index, const TSetNetwork& network);

} // namespace quorvin

#pragma once
// After an interactive switch that changed an adapter item, the user may be
// asked to keep the new settings; without an answer in time, the switch is
// undone. "Only when new or changed" compares a fingerprint of the set's
// adapter items with the one stored in the set's section when the user last
// kept it.

#include "store/SetRecord.h"
#include "store/Settings.h"

#include <string>
#include <string_view>

namespace quorvin {

enum class TKeepAnswer { Keep, Revert };

// The key of a set's section that holds the fingerprint last kept; written
// only when the user keeps a switch.
inline constexpr std::string_view kKeptAdapterItemsKey = "KeptAdapterItems";

// The same text for the same adapter items (ticks, values, adapter), another
// for any change of them.
std::string AdapterItemsFingerprint(const TSetRecord& set);

// Whether an interactive switch that changed an adapter item asks: always,
// never, or when the set's fingerprint is not the one last kept.
bool AsksToKeep(TKeepQuestion mode, std::string_view fingerprint, std::string_view lastKept);

} // namespace quorvin

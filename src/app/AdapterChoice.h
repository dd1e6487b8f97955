#pragma once
// The main window's adapter box over the adapter list: the entries' texts,
// an entry's GUID, and which entry a loaded set chooses.

#include "store/SetRecord.h"
#include "system/AdapterList.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quorvin {

// The text of adapter box entry k: the connection name, "  (", the device
// name and ")".
std::string AdapterEntryText(const std::string& connectionName, const std::string& deviceName);
// One entry per complete group of four texts of the adapter list.
std::vector<std::string> AdapterEntries(const std::vector<std::string>& adapterList);
// The GUID of adapter box entry position; empty for none.
std::string AdapterGuidAt(const std::vector<std::string>& adapterList, std::int32_t position);
// The entry that a loaded set chooses: the one with the set's GUID (letter
// case aside) wherever the list has it now; without such an entry, the
// set's position when it lies in the list; else none (-1).
std::int32_t ChooseAdapter(const TSetRecord& set, const std::vector<std::string>& adapterList);

} // namespace quorvin

#pragma once
// The check that follows the adapter items of a switch: does the adapter
// report what each accepted item asked of it? The adapter's present settings
// come from the current-configuration reader, the one "Load Current" uses.
//
// An item is compared with what the switch actually asked of the adapter
// configuration, not with the page as such: a fixed choice whose address is
// empty (or "DHCP") asked for DHCP, an empty mask asked for the default mask,
// and a fixed DNS choice without servers asked for automatic DNS.
//
//   IP          automatic: the DHCP flag only (the lease comes later);
//               fixed: DHCP off, and address, mask and gateway (an empty
//               gateway asked for none)
//   DNS Server  automatic: no fixed list; fixed: the list, in order
//   DNS Domain  the domain, without regard to letter case
//   WINS Server the non-empty servers, in order
//
// Addresses compare as addresses ("010.0.0.5" is 10.0.0.5); a text that is
// no address compares as text.

#include "store/SetRecord.h"
#include "switching/SwitchThread.h"
#include "system/IpConfig.h"

#include <optional>
#include <string>

namespace quorvin {

// The text of the item's failure line (what follows "]: ") when the adapter
// does not report what the item asked for; nothing when it does, and for an
// item that does not configure the adapter. For example "Accepted, but the
// adapter reports 10.0.0.5 / 255.0.0.0".
std::optional<std::string> ReadBackMismatch(SwitchItem item, const TSetRecord& set, const IpConfig& present);

} // namespace quorvin

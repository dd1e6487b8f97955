#pragma once
// The methods of a simulated adapter configuration: they check their
// arguments as the real service does, answer with its return codes and
// change the adapter's record only on success.
//
//   EnableDHCP()                        0; DHCP on, fixed addresses and
//                                       gateways dropped
//   EnableStatic(addresses, masks)      70 an address that is no dotted quad
//                                       of 0..255, 66 a mask that is no
//                                       contiguous mask, 68 lists empty or of
//                                       different lengths; 0: DHCP off
//   SetGateways(gateways [, metrics])   64 under DHCP, 69 more than five,
//                                       71 a gateway that is no dotted quad
//   SetDNSServerSearchOrder([servers])  70 a server that is no dotted quad;
//                                       left out or empty: servers from DHCP
//   SetDNSDomain(domain)                73 a name that is no DNS name; empty
//                                       clears it
//   SetWINSServer(primary, secondary)   70 a non-empty server that is no
//                                       dotted quad; both empty clear them
//
// Method names match without regard to case. An unknown method or an
// argument of the wrong form raises QuorvinError, as the real service's call
// would fail. A method that the adapter lists in NotApplied checks its
// arguments and answers as above, but leaves the adapter as it was.

#include "switching/ManagementSession.h"
#include "system/sim/SimulatedNetwork.h"

#include <cstdint>
#include <string_view>

namespace quorvin {

std::int32_t CallSimulatedAdapterMethod(SimulatedAdapter& adapter, std::string_view method,
                                        const MethodArguments& arguments);

// Four decimal numbers of 0..255 joined by ".".
bool IsDottedQuad(std::string_view text);

} // namespace quorvin

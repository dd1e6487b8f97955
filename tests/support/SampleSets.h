#pragma once
// The set that the switch tests and the benchmarks run, the captions of the
// main window's tick boxes, and the adapter that reports what a set asked
// for.

#include "switching/SwitchThread.h"

#include <array>
#include <string>

namespace quorvin::test {

// Every item's value filled in and no item ticked: 10.0.0.5/24 behind
// 10.0.0.1, DNS servers 10.0.0.2 and 10.0.0.3, the proxy 10.0.0.1:8080 in
// use, LAB-PC in the workgroup LAB, the printer Laser, the DNS domain
// lab.example and the primary WINS server 10.0.0.4 (no secondary one).
TSetRecord SampleSet();

// Ticks all eight items.
void TickAllItems(TSetRecord& set);

// The eight captions of the main window's tick boxes.
std::array<std::string, kSwitchItemCount> DefaultItemNames();

// SampleSet for the adapter with that MAC, under the default captions; no
// GUID, so nothing is read back.
TSwitchInput SampleInput(const std::string& adapterMac);

// The adapter's settings once it has applied everything that set asks for.
IpConfig AdapterAsAsked(const TSetRecord& set);

} // namespace quorvin::test

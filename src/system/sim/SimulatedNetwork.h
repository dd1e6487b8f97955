#pragma once
// The simulated network and host: the file network.ini in the folder that
// simulate.ini beside the executable names (see SimulationSettings).
// Everything that the program asks the machine about adapters, the computer
// name, the workgroup, the printers and the access rules of its own files is
// answered from it in simulation mode, and everything the program changes
// there is written back to it, so that a later read sees what an earlier
// change applied.
//
// File format: tests/data/network.ini is a complete example with every key,
// its default and its remarks; the tests load it as it stands. The adapter
// and printer counts are held to kMaxAdapterCount and kMaxPrinterCount.
//
// Every adapter is a connection (name, description, GUID) and an IP adapter
// record (ComboIndex, description, MAC). Its TCP/IP and NetBT registry keys
// are derived from its record (see SimulatedRegistry): "EnableDHCP" from
// DHCPEnabled, "IPAddress"/"SubnetMask"/"DefaultGateway" (REG_MULTI_SZ) from
// the three lists as they stand, "NameServer" from DNSServers joined by ",",
// "Domain" from DNSDomain, NetBT "NameServerList" from the non-empty WINS
// servers. The reader ignores the three address lists while DHCP is on.
//
// Use from code that changes the network (the simulated adapter
// configuration):
//
//   SimulatedNetwork network(folder);            // loads folder/network.ini
//   if (SimulatedAdapter* adapter = network.FindByMac("00:0C:29:3A:5B:7C")) {
//     adapter->DhcpEnabled = false;
//     adapter->IpAddresses = {"10.0.0.5"};
//     network.Save();                            // writes network.ini back
//   }
//
// Load, change and save in one go: other parts of the program write the same
// file (the simulated host writes the computer name, workgroup and default
// printer), and Save writes every adapter and host field from this copy.
// Save keeps comments and unknown keys of the file and removes sections of
// adapters and printers that are no longer in the lists.

#include "system/AccessRules.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvin {

struct SimulatedAdapter {
  std::string ConnectionName;
  std::string Description;
  std::vector<std::uint8_t> Mac;
  std::string Guid; // upper case, with braces
  std::uint32_t ComboIndex = 0;
  bool IpEnabled = true;
  bool DhcpEnabled = true;
  std::vector<std::string> IpAddresses;
  std::vector<std::string> SubnetMasks;
  std::vector<std::string> Gateways;
  std::vector<std::string> DnsServers;
  std::string DnsDomain;
  std::string PrimaryWins;
  std::string SecondaryWins;
  // Methods of the adapter configuration that answer as usual but change
  // nothing ("NotApplied"), as a system does that accepts a setting and
  // does not put it into effect.
  std::vector<std::string> NotApplied;
  // Whether its gateways answer an ICMP echo (SimulatedGatewayProbe); read
  // only, never written back.
  bool GatewayAnswers = false;
  // The network the adapter is on, as the system would see it (read only,
  // never written back): the gateway's MAC in the neighbour table, the Wi-Fi
  // network's name, and the DNS suffix and gateway that DHCP gives.
  std::string GatewayMac; // as written, MAC or not
  std::string Ssid;
  std::string DhcpDnsSuffix;
  std::string DhcpGateway;

  // The MAC as the program writes it: "00:0C:29:3A:5B:7C".
  std::string MacText() const;
};

struct SimulatedPrinter {
  std::string Name;
  std::string Device = "winspool,Ne00:"; // its "Devices" profile entry
};

struct SimulatedHostState {
  std::string ComputerName = "QUORVIN-SIM";
  std::string Workgroup = "WORKGROUP";
  std::vector<SimulatedPrinter> Printers;
  std::string DefaultDevice; // profile "Windows", "Device"
  // The access rules (SDDL) of the program's file and folder; read only,
  // never written back.
  std::string ProgramAccess{kAdministratorsOnlyAccess};
};

class SimulatedNetwork {
public:
  static constexpr std::string_view kFileName = "network.ini";
  // A hand-written count beyond these loads only this many.
  static constexpr std::uint32_t kMaxAdapterCount = 64;
  static constexpr std::uint32_t kMaxPrinterCount = 256;

  // Loads folder/network.ini; a missing file gives no adapters and the
  // default host. Throws QuorvinError for a MAC that is no MAC.
  explicit SimulatedNetwork(std::string folder);

  const std::string& Folder() const { return FFolder; }
  std::string FilePath() const;

  // Reads the file again, dropping unsaved changes.
  void Reload();
  // Writes every field back to the file (atomically). Throws QuorvinError
  // "Unable to write to %s" when the file cannot be written.
  void Save() const;

  // The IP-enabled or not adapter with that MAC text (":" or "-" between
  // pairs, any letter case); nothing when none has it.
  SimulatedAdapter* FindByMac(std::string_view macText);
  SimulatedAdapter* FindByGuid(std::string_view guid);

  std::vector<SimulatedAdapter> Adapters;
  SimulatedHostState Host;

private:
  std::string FFolder;
};

// Simulation mode is switched on by a file beside the executable, never by
// the environment: an elevated program gets the user's environment, which
// the user's unelevated processes can set, and the simulation decides where
// the program writes and which network it "configures". Where only an
// administrator can write beside the executable (Program Files), only an
// administrator can create the file.
//   simulate.ini  [Simulation]
//                 Folder=<the folder of network.ini>
//                 ReadyFile=<a file that gets the line "shown" once the
//                           first show is done, for scripts that wait>
// A relative path is taken from the executable's folder. An empty or
// missing Folder leaves the simulation off; the ready file works in either
// mode.
inline constexpr std::string_view kSimulationFileName = "simulate.ini";
struct TSimulationSettings {
  std::optional<std::string> Folder;
  std::optional<std::string> ReadyFile;
};
TSimulationSettings ReadSimulationSettings(const std::string& executableFolder);
// The running executable's, read once.
const TSimulationSettings& SimulationSettings();
std::optional<std::string> SimulationFolder();

// A list as network.ini and the derived "NameServer" value hold it: the
// items joined by ",".
std::string JoinList(const std::vector<std::string>& items);

// Hex byte pairs separated by ":" or "-"; nothing when the text is not that.
std::optional<std::vector<std::uint8_t>> ParseMac(std::string_view text);

} // namespace quorvin

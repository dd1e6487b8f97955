#pragma once
// Switching by the network the machine is on, and the set in effect.
//
// A set is in effect when it ticks at least one adapter item and its adapter
// reports every ticked adapter item as the set asks for it (the read-back
// comparison of a switch). The tray menu checks the sets in effect and its
// tip names the first one with the adapter's address.
//
// When a change of network has settled, each adapter that a set is meant
// for is asked which network it is on (NetworkIdentity), and its sets'
// networks decide, once per network (NetworkWatch): apply the one matching
// set, ask about it with a balloon, only mark it, or ask among several.

#include "app/NetworkMatch.h"
#include "app/ProgramLifecycle.h"
#include "store/ProfileFile.h"
#include "store/SetNetwork.h"
#include "store/SetRecord.h"
#include "system/IpConfig.h"
#include "system/SystemServices.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace quorvin {

// One set as automatic switching sees it.
struct TSwitchableSet {
  int Index = -1;
  std::string Caption;
  TSetRecord Set;
  TSetNetwork Network;
  std::string AdapterGuid; // the set's adapter, empty when it names none
};

// The sets of the file in tab order, with their adapters found in
// adapterList (the main window's list of four texts per connection).
std::vector<TSwitchableSet> ReadSwitchableSets(ProfileFile& file, const std::vector<std::string>& captions,
                                               const std::vector<std::string>& adapterList);

// The set ticks an adapter item, and the adapter reports each one.
bool IsInEffect(const TSetRecord& set, const IpConfig& present);

// What each of the adapters sees, asked one after the other.
std::map<std::string, TNetworkSignature> IdentifyAdapters(NetworkIdentity& identity,
                                                          const std::vector<std::string>& adapters);

// What the program does when a change of network has settled.
struct TNetworkStep {
  TNetworkAction Action = TNetworkAction::Nothing;
  std::vector<int> Sets;
  std::string Text;   // Ask, AskAmong: the balloon's text
  bool Retry = false; // busy: settle again later
};

class NetworkSwitcher {
public:
  NetworkSwitcher(ProfileFile& file, SystemServices& system) : FFile(file), FSystem(system) {}

  // The sets in effect are read now; the sets of this network are those
  // of the last settled change (asking the adapters may take a moment).
  TTrayMarks Marks(const std::vector<std::string>& captions, const std::vector<std::string>& adapterList);
  // The adapters that a set names a network on, which a settled change
  // asks (NetworkIdentity::Seen, which may wait for the gateway's answer:
  // the program asks off its window's thread).
  std::vector<std::string> AdaptersToIdentify(const std::vector<std::string>& captions,
                                              const std::vector<std::string>& adapterList);
  // Decides for what the adapters see (seen, by GUID; an adapter missing
  // from it sees nothing). enabled: the option "Switch sets automatically".
  // busy: a dialog of the window is open, a switch runs, or the keep
  // question is asked; nothing is decided then and the change is not spent.
  TNetworkStep Settled(const std::vector<std::string>& captions, const std::vector<std::string>& adapterList,
                       bool enabled, bool busy, const std::map<std::string, TNetworkSignature>& seen);

private:
  // The adapter's present configuration; false when it cannot be read.
  bool ReadPresent(const std::string& guid, IpConfig& present);

  ProfileFile& FFile;
  SystemServices& FSystem;
  // One watch per adapter, by GUID: each adapter changes networks by itself.
  std::map<std::string, NetworkWatch> FWatches;
  // The sets whose network an adapter was on when the network last settled.
  std::vector<int> FThisNetwork;
};

} // namespace quorvin

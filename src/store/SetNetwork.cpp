#include "store/SetNetwork.h"

#include "base/AsciiCase.h"
#include "store/SetRecord.h"

namespace quorvin {
namespace {

constexpr std::string_view kGatewayMac = "NetworkGatewayMac";
constexpr std::string_view kGatewayAddress = "NetworkGateway";
constexpr std::string_view kDnsSuffix = "NetworkDnsSuffix";
constexpr std::string_view kSsid = "NetworkSsid";
// "Apply", "Ask" or "Show"; anything else reads as "Ask", the careful one.
constexpr std::string_view kMode = "NetworkSwitch";

std::string_view ModeText(TAutoSwitch mode) {
  switch (mode) {
  case TAutoSwitch::Apply:
    return "Apply";
  case TAutoSwitch::Show:
    return "Show";
  case TAutoSwitch::Ask:
    break;
  }
  return "Ask";
}

TAutoSwitch ModeFromText(const std::string& text) {
  const std::string lower = LowerAscii(text);
  if (lower == "apply")
    return TAutoSwitch::Apply;
  if (lower == "show")
    return TAutoSwitch::Show;
  return TAutoSwitch::Ask;
}

} // namespace

TSetNetwork LoadSetNetwork(ProfileFile& file, int index) {
  const std::string section = SetSectionName(index);
  TSetNetwork network;
  network.Network.GatewayMac = file.ReadString(section, kGatewayMac, "");
  network.Network.GatewayAddress = file.ReadString(section, kGatewayAddress, "");
  network.Network.DnsSuffix = file.ReadString(section, kDnsSuffix, "");
  network.Network.Ssid = file.ReadString(section, kSsid, "");
  network.Mode = ModeFromText(file.ReadString(section, kMode, "Ask"));
  return network;
}

void SaveSetNetwork(ProfileFile& file, int index, const TSetNetwork& network) {
  if (LoadSetNetwork(file, index) == network)
    return;
  const std::string section = SetSectionName(index);
  file.WriteString(section, kGatewayMac, network.Network.GatewayMac);
  file.WriteString(section, kGatewayAddress, network.Network.GatewayAddress);
  file.WriteString(section, kDnsSuffix, network.Network.DnsSuffix);
  file.WriteString(section, kSsid, network.Network.Ssid);
  file.WriteString(section, kMode, ModeText(network.Mode));
}

} // namespace quorvin

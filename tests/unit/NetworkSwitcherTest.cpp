#include "app/NetworkStatus.h"
#include "app/NetworkSwitcher.h"

#include "store/MemoryProfileFile.h"
#include "system/sim/InMemoryHost.h"
#include "system/sim/InMemoryRegistry.h"
#include "system/sim/InMemoryTaskScheduler.h"
#include "support/FakeNetwork.h"

#include <gtest/gtest.h>

namespace quorvin::test {
namespace {

constexpr char kGuid[] = "{0C293A5B-7C00-4000-8000-00000000000A}";
const TNetworkSignature kOffice{"00:1B:21:4C:7A:10", "10.20.30.1", "office.corvane.example", ""};
const TNetworkSignature kHome{"00:24:01:AA:BB:CC", "192.168.1.1", "home.example", ""};

class SeenNetwork final : public NetworkIdentity {
public:
  TNetworkSignature Seen(const std::string& guid) override { return guid == kGuid ? Network : TNetworkSignature{}; }
  TNetworkSignature Network;
};

std::string Dword(std::uint32_t value) { return std::string(reinterpret_cast<const char*>(&value), sizeof value); }

// Office: a fixed address, applied by itself on the office network. Home:
// DHCP, asked for on the home network. Lab: the proxy only, no network.
class NetworkSwitcherTest : public ::testing::Test {
protected:
  NetworkSwitcherTest() {
    auto registry = std::make_unique<InMemoryRegistry>();
    auto identity = std::make_unique<SeenNetwork>();
    auto network = std::make_unique<FakeNetwork>();
    network->ConnectionList = {{"Local Area Connection", "Intel", kGuid}};
    network->AdapterList = {{0, "Intel", {0x00, 0x0C, 0x29, 0x3A, 0x5B, 0x7C}}};
    FRegistry = registry.get();
    FSeen = identity.get();
    FSystem = std::make_unique<SystemServices>(std::move(registry), std::move(network),
                                               std::make_unique<InMemoryHost>(),
                                               std::make_unique<InMemoryTaskScheduler>(), nullptr, std::move(identity));
    TSetRecord office;
    office.Caption = "Office";
    office.EnableIP = true;
    office.IP = "10.20.30.41";
    office.SubnetMask = "255.255.255.0";
    office.Gateway = "10.20.30.1";
    office.NetworkAdapterGuid = kGuid;
    SaveSet(FFile, 0, office);
    SaveSetNetwork(FFile, 0, {{kOffice.GatewayMac, "", kOffice.DnsSuffix, ""}, TAutoSwitch::Apply});
    TSetRecord home = office;
    home.Caption = "Home";
    home.AutoIP = true;
    home.UseIP = false;
    SaveSet(FFile, 1, home);
    SaveSetNetwork(FFile, 1, {{"", "", kHome.DnsSuffix, ""}, TAutoSwitch::Ask});
    TSetRecord lab;
    lab.ProxyServer = true;
    lab.NetworkAdapterGuid = kGuid;
    SaveSet(FFile, 2, lab);
    Adapter(true, "", "");
    FSwitcher = std::make_unique<NetworkSwitcher>(FFile, *FSystem);
  }

  void Adapter(bool dhcp, const std::string& address, const std::string& gateway) {
    auto key = FRegistry->Open(RegistryRoot::LocalMachine, std::string(kTcpipInterfacesPath) + kGuid,
                               RegistryAccess::ReadWrite, true);
    key->Set("EnableDHCP", RegistryType::Dword, Dword(dhcp ? 1 : 0));
    key->Set("IPAddress", RegistryType::MultiString, EncodeMultiString({address}));
    key->Set("SubnetMask", RegistryType::MultiString, EncodeMultiString({"255.255.255.0"}));
    key->Set("DefaultGateway", RegistryType::MultiString, EncodeMultiString({gateway}));
  }

  TNetworkStep Settled(NetworkSwitcher& switcher, bool enabled = true, bool busy = false) {
    return switcher.Settled(FCaptions, FAdapterList, enabled, busy,
                            IdentifyAdapters(*FSeen, switcher.AdaptersToIdentify(FCaptions, FAdapterList)));
  }

  MemoryProfileFile FFile;
  InMemoryRegistry* FRegistry = nullptr;
  SeenNetwork* FSeen = nullptr;
  std::unique_ptr<SystemServices> FSystem;
  std::unique_ptr<NetworkSwitcher> FSwitcher;
  const std::vector<std::string> FCaptions{"Office", "Home", "Lab"};
  const std::vector<std::string> FAdapterList{"Local Area Connection", "Intel", "00:0C:29:3A:5B:7C", kGuid};
};

TEST_F(NetworkSwitcherTest, OfficeIsAppliedOnceHomeAskedForAndSeveralListed) {
  NetworkSwitcher& switcher = *FSwitcher;
  FSeen->Network = kOffice;
  EXPECT_TRUE(Settled(switcher, true, true).Retry) << "busy: the change is not spent";
  const TNetworkStep office = Settled(switcher);
  EXPECT_EQ(office.Action, TNetworkAction::Apply);
  EXPECT_EQ(office.Sets, std::vector<int>{0});

  // Office applied its fixed address: DHCP's suffix is gone, the gateway's
  // MAC stays. Home matches nothing, Office is in effect: no switch back.
  Adapter(false, "10.20.30.41", "10.20.30.1");
  FSeen->Network.DnsSuffix.clear();
  EXPECT_EQ(Settled(switcher).Action, TNetworkAction::Nothing);
  const TTrayMarks marks = switcher.Marks(FCaptions, FAdapterList);
  EXPECT_EQ(marks.InEffect, std::vector<int>{0});
  EXPECT_EQ(marks.ThisNetwork, std::vector<int>{0});
  EXPECT_EQ(marks.Tip, "Quorvin - Office (10.20.30.41)");

  FSeen->Network = kHome;
  const TNetworkStep home = Settled(switcher);
  EXPECT_EQ(home.Action, TNetworkAction::Ask);
  EXPECT_EQ(home.Text, "Home network found. Apply the set \"Home\"?");
  // The balloon's answer put DHCP back: Home is in effect, nothing asks again.
  Adapter(true, "", "");
  EXPECT_EQ(Settled(switcher).Action, TNetworkAction::Nothing);
  EXPECT_EQ(switcher.Marks(FCaptions, FAdapterList).Tip, "Quorvin - Home");

  // Back at the office, Lab names its suffix too: both are listed.
  SaveSetNetwork(FFile, 2, {{"", "", "OFFICE.corvane.example.", ""}, TAutoSwitch::Apply});
  FSeen->Network = kOffice;
  const TNetworkStep both = Settled(switcher);
  EXPECT_EQ(both.Action, TNetworkAction::AskAmong);
  EXPECT_EQ(both.Text, "The networks of several sets are found: Office, Lab. Right-click the Quorvin icon to choose one.");
  Adapter(false, "10.99.0.1", "10.99.0.254");
  EXPECT_EQ(switcher.Marks(FCaptions, FAdapterList).Tip, "Left Click to activate Quorvin\r\nRight Click to popup menu")
      << "no set in effect (the proxy-only set never is)";
}

} // namespace
} // namespace quorvin::test

namespace quorvin::test {
namespace {

TEST_F(NetworkSwitcherTest, StatusGivesEachAdapterAsOneJsonLine) {
  Adapter(false, "10.20.30.41", "10.20.30.1");
  FSeen->Network = {kOffice.GatewayMac, kOffice.GatewayAddress, "", "Caf\xC3\xA9 \"5\""};
  FFile.WriteString("Options", "TabCount", "3");
  FFile.WriteString("1", "Caption", "Home");
  FFile.WriteString("2", "Caption", "Lab");
  EXPECT_EQ(StatusLines(FFile, *FSystem),
            std::vector<std::string>{
                R"({"adapter":"Local Area Connection","device":"Intel","mac":"00:0C:29:3A:5B:7C",)"
                R"("guid":"{0C293A5B-7C00-4000-8000-00000000000A}","dhcp":false,"address":"10.20.30.41",)"
                R"("mask":"255.255.255.0","gateway":"10.20.30.1","dns":[],"dnsDomain":"","wins":[],)"
                R"("network":{"gatewayMac":"00:1B:21:4C:7A:10","gateway":"10.20.30.1","dnsSuffix":"",)"
                R"("ssid":"Caf)" "\xC3\xA9" R"( \"5\""},"inEffect":["Office"],"matching":["Office"]})"});
  EXPECT_TRUE(IsStatusArgument("/STATUS", {"Office"}));
  EXPECT_FALSE(IsStatusArgument("/status", {"Office", "Status"})) << "a set of that name is applied";
}

} // namespace
} // namespace quorvin::test

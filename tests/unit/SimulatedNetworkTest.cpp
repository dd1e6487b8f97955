#include "support/SimulatedNetworkSample.h"

#include "base/QuorvinError.h"
#include "support/TempFolder.h"
#include "system/AdapterList.h"
#include "system/IpConfig.h"
#include "system/sim/InMemoryGatewayProbe.h"
#include "system/sim/InMemoryRegistry.h"
#include "system/sim/SimulatedGatewayProbe.h"
#include "system/sim/SimulatedNetwork.h"
#include "system/sim/SimulatedNetworkIdentity.h"
#include "system/sim/SimulatedNetworkInfo.h"
#include "system/sim/SimulatedRegistry.h"

#include <gtest/gtest.h>

namespace quorvin::test {
namespace {

constexpr char kWiredGuid[] = "{4D36E972-E325-11CE-BFC1-08002BE10318}";
constexpr char kWirelessGuid[] = "{A1B2C3D4-0000-4000-8000-0000000000AA}";

class SimulatedNetworkTest : public ::testing::Test {
protected:
  SimulatedNetworkTest() { WriteBytes(FFolder.File("network.ini"), kSampleNetworkIni); }

  const std::string& Folder() const { return FFolder.Path(); }

  IpConfig ReadConfig(const char* guid) {
    InMemoryRegistry base;
    SimulatedRegistry registry(Folder(), base);
    IpConfig config;
    ReadIpConfig(registry, guid, config);
    return config;
  }

  TempFolder FFolder;
};

TEST_F(SimulatedNetworkTest, LoadsEveryAdapterField) {
  SimulatedNetwork network(Folder());
  ASSERT_EQ(network.Adapters.size(), 2u);
  const SimulatedAdapter& wired = network.Adapters[0];
  EXPECT_EQ(wired.ConnectionName, "Local Area Connection");
  EXPECT_EQ(wired.Description, "Intel(R) PRO/1000 MT Network Connection");
  EXPECT_EQ(wired.MacText(), "00:0C:29:3A:5B:7C");
  EXPECT_EQ(wired.Guid, kWiredGuid);
  EXPECT_EQ(wired.ComboIndex, 0u);
  EXPECT_TRUE(wired.IpEnabled);
  EXPECT_FALSE(wired.DhcpEnabled);
  EXPECT_EQ(wired.IpAddresses, (std::vector<std::string>{"192.168.1.10", "192.168.1.11"}));
  EXPECT_EQ(wired.SubnetMasks, (std::vector<std::string>{"255.255.255.0", "255.255.255.0"}));
  EXPECT_EQ(wired.Gateways, (std::vector<std::string>{"192.168.1.1"}));
  EXPECT_EQ(wired.DnsServers, (std::vector<std::string>{"192.168.1.1", "8.8.8.8", "8.8.4.4"}));
  EXPECT_EQ(wired.DnsDomain, "example.local");
  EXPECT_EQ(wired.PrimaryWins, "192.168.1.2");
  EXPECT_EQ(wired.SecondaryWins, "192.168.1.3");
  EXPECT_TRUE(wired.NotApplied.empty());
  EXPECT_TRUE(wired.GatewayAnswers);

  const SimulatedAdapter& wireless = network.Adapters[1];
  EXPECT_EQ(wireless.MacText(), "00:1F:3B:0A:12:0C");
  EXPECT_EQ(wireless.Guid, kWirelessGuid); // upper-cased on loading
  EXPECT_TRUE(wireless.DhcpEnabled);
  EXPECT_TRUE(wireless.DnsServers.empty());
  EXPECT_EQ(wireless.NotApplied, (std::vector<std::string>{"SetDNSDomain", "setwinsserver"}));
  EXPECT_FALSE(wireless.GatewayAnswers);
}

// Only a gateway of an adapter that says GatewayAnswers=1 answers, as the
// file says at the moment of the call.
TEST_F(SimulatedNetworkTest, TheGatewaysOfAnAnsweringAdapterAnswerTheProbe) {
  SimulatedGatewayProbe probe(Folder());
  EXPECT_TRUE(probe.Answers("192.168.1.1", 500));
  EXPECT_FALSE(probe.Answers("192.168.1.10", 500)) << "an address, not a gateway";
  EXPECT_FALSE(probe.Answers("", 500));

  SimulatedNetwork network(Folder());
  network.Adapters[1].DhcpEnabled = false;
  network.Adapters[1].Gateways = {"10.0.0.1"};
  network.Adapters[0].Gateways = {"192.168.1.254"};
  network.Save();
  EXPECT_TRUE(probe.Answers("192.168.1.254", 500));
  EXPECT_FALSE(probe.Answers("192.168.1.1", 500));
  EXPECT_FALSE(probe.Answers("10.0.0.1", 500)) << "its adapter does not say it answers";
  EXPECT_TRUE(SimulatedNetwork(Folder()).Adapters[0].GatewayAnswers) << "a save keeps the line";

  WriteBytes(FFolder.File("network.ini"), "[Network]\r\nAdapterCount=1\r\n[Adapter0]\r\nMAC=zz\r\n"
                                          "DefaultGateway=192.168.1.254\r\nGatewayAnswers=1\r\n");
  EXPECT_FALSE(probe.Answers("192.168.1.254", 500)) << "a file that cannot be read answers no";
}

// The gateway's MAC and the Wi-Fi name stay whatever DHCP says; DHCP's
// suffix and gateway give way to the adapter's own with DHCP off. A save of
// the network keeps the four read-only lines.
TEST_F(SimulatedNetworkTest, TheIdentityReportsTheNetworkTheAdapterIsOn) {
  struct Case {
    const char* Name;
    const char* Keys;
    const char* Guid;
    bool SavedFirst;
    TNetworkSignature Expected;
  };
  const TNetworkSignature dhcp{"00:1B:21:4C:7A:10", "10.0.0.254", "dhcp.example", "Lab"};
  const TNetworkSignature fixed{"00:1B:21:4C:7A:10", "10.0.0.1", "fixed.example", "Lab"};
  const char* off = "DHCPEnabled=0\r\nIPAddress=10.0.0.5\r\nDefaultGateway=10.0.0.1,10.0.0.2\r\n";
  const Case cases[] = {
      {"DhcpOn", "", kWiredGuid, false, dhcp},
      {"DhcpOff", off, kWiredGuid, false, fixed},
      {"DhcpOffAfterASave", off, "{4d36e972-e325-11ce-bfc1-08002be10318}", true, fixed},
      {"IpDisabled", "IPEnabled=0\r\n", kWiredGuid, false, {}},
      {"UnknownGuid", "", "{00000000-0000-0000-0000-000000000000}", false, {}},
      {"MacThatIsNoMac", "GatewayMAC=router\r\n", kWiredGuid, false, {"router", "10.0.0.254", "dhcp.example", "Lab"}},
      {"FileThatCannotBeRead", "MAC=zz\r\n", kWiredGuid, false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    WriteBytes(FFolder.File("network.ini"), std::string("[Network]\r\nAdapterCount=1\r\n[Adapter0]\r\n") +
                                                c.Keys + "GUID=" + kWiredGuid +
                                                "\r\nDNSDomain=fixed.example\r\nGatewayMAC=00:1B:21:4C:7A:10\r\n"
                                                "SSID=Lab\r\nDNSSuffix=dhcp.example\r\nDHCPGateway=10.0.0.254\r\n");
    if (c.SavedFirst)
      SimulatedNetwork(Folder()).Save();
    EXPECT_EQ(SimulatedNetworkIdentity(Folder()).Seen(c.Guid), c.Expected);
  }
}

TEST(InMemoryGatewayProbe, OnlyTheAddressesItIsToldAnswer) {
  InMemoryGatewayProbe probe;
  EXPECT_FALSE(probe.Answers("10.0.0.1", 500));
  probe.SetAnswering({"10.0.0.1"});
  EXPECT_TRUE(probe.Answers("10.0.0.1", 500));
  EXPECT_FALSE(probe.Answers("10.0.0.2", 500));
}

TEST_F(SimulatedNetworkTest, LoadsTheHost) {
  SimulatedNetwork network(Folder());
  EXPECT_EQ(network.Host.ComputerName, "SIMHOST");
  EXPECT_EQ(network.Host.Workgroup, "OFFICE");
  ASSERT_EQ(network.Host.Printers.size(), 2u);
  EXPECT_EQ(network.Host.Printers[1].Name, "Label Printer");
  EXPECT_EQ(network.Host.Printers[1].Device, "winspool,Ne01:");
  EXPECT_EQ(network.Host.DefaultDevice, "Office Laser,winspool,Ne00:");
  EXPECT_EQ(network.Host.ProgramAccess,
            "D:AI(A;ID;FA;;;BA)(A;ID;FA;;;SY)(A;OICIID;0x1200a9;;;BU)(A;ID;0x1301bf;;;AU)");
}

TEST_F(SimulatedNetworkTest, MissingFileGivesAnEmptyNetworkAndTheDefaultHost) {
  TempFolder empty;
  SimulatedNetwork network(empty.Path());
  EXPECT_TRUE(network.Adapters.empty());
  EXPECT_EQ(network.Host.ComputerName, "QUORVIN-SIM");
  EXPECT_EQ(network.Host.Workgroup, "WORKGROUP");
  EXPECT_EQ(network.Host.ProgramAccess, kAdministratorsOnlyAccess);
}

TEST_F(SimulatedNetworkTest, FindsAnAdapterByMacInEitherForm) {
  SimulatedNetwork network(Folder());
  EXPECT_EQ(network.FindByMac("00:1F:3B:0A:12:0C"), &network.Adapters[1]);
  EXPECT_EQ(network.FindByMac("00-0c-29-3a-5b-7c"), &network.Adapters[0]);
  EXPECT_EQ(network.FindByMac("00:0C:29:3A:5B:7D"), nullptr);
  EXPECT_EQ(network.FindByMac("no mac"), nullptr);
  EXPECT_EQ(network.FindByGuid("{a1b2c3d4-0000-4000-8000-0000000000aa}"), &network.Adapters[1]);
}

TEST_F(SimulatedNetworkTest, SavedChangesAreLoadedAgain) {
  {
    SimulatedNetwork network(Folder());
    SimulatedAdapter& wireless = *network.FindByMac("00:1F:3B:0A:12:0C");
    wireless.DhcpEnabled = false;
    wireless.IpAddresses = {"10.0.0.5"};
    wireless.SubnetMasks = {"255.0.0.0"};
    wireless.Gateways = {"10.0.0.1"};
    wireless.DnsServers = {"10.0.0.2", "10.0.0.3"};
    wireless.DnsDomain = "lab.test";
    wireless.PrimaryWins = "10.0.0.4";
    network.Host.ComputerName = "RENAMED";
    network.Host.Printers.pop_back();
    network.Save();
  }
  SimulatedNetwork again(Folder());
  ASSERT_EQ(again.Adapters.size(), 2u);
  const SimulatedAdapter& wireless = again.Adapters[1];
  EXPECT_FALSE(wireless.DhcpEnabled);
  EXPECT_EQ(wireless.IpAddresses, (std::vector<std::string>{"10.0.0.5"}));
  EXPECT_EQ(wireless.Gateways, (std::vector<std::string>{"10.0.0.1"}));
  EXPECT_EQ(wireless.DnsServers, (std::vector<std::string>{"10.0.0.2", "10.0.0.3"}));
  EXPECT_EQ(wireless.DnsDomain, "lab.test");
  EXPECT_EQ(wireless.PrimaryWins, "10.0.0.4");
  EXPECT_EQ(wireless.Guid, kWirelessGuid);
  EXPECT_EQ(wireless.NotApplied, (std::vector<std::string>{"SetDNSDomain", "setwinsserver"}));
  EXPECT_EQ(again.Host.ComputerName, "RENAMED");
  EXPECT_EQ(again.Host.Printers.size(), 1u);
  // Comments of the file survive, the removed printer's section does not.
  const std::string bytes = ReadBytes(SimulatedNetwork(Folder()).FilePath());
  EXPECT_NE(bytes.find("; A simulated network"), std::string::npos);
  EXPECT_EQ(bytes.find("[Printer1]"), std::string::npos);
}

// Values of a hand-written file that only quotes keep: a save writes them
// so that the next load gives them back as the first load gave them.
TEST_F(SimulatedNetworkTest, QuotedValuesSurviveASave) {
  struct Case {
    const char* Line;
    std::vector<std::string> SimulatedAdapter::*List = nullptr;
    std::string SimulatedAdapter::*Text = nullptr;
  };
  const Case cases[] = {
      {"WINSPrimary=\" 10.0.0.1\"", nullptr, &SimulatedAdapter::PrimaryWins},
      {"WINSSecondary=' 10.0.0.2 '", nullptr, &SimulatedAdapter::SecondaryWins},
      {"GUID=\" {6A1F3C22-5B1E-4E0B-9C4D-1F2E3A4B5C60}\"", nullptr, &SimulatedAdapter::Guid},
      {"IPAddress=\"'10.0.0.1,10.0.0.2'\"", &SimulatedAdapter::IpAddresses},
      {"SubnetMask=\"'255.0.0.0'\"", &SimulatedAdapter::SubnetMasks},
      {"DefaultGateway=\"\"10.0.0.9\"\"", &SimulatedAdapter::Gateways},
      {"DNSServers=\"'10.0.0.3,10.0.0.4\"'", &SimulatedAdapter::DnsServers},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Line);
    WriteBytes(FFolder.File("network.ini"),
               std::string("[Network]\r\nAdapterCount=1\r\n[Adapter0]\r\nMAC=00:0C:29:3A:5B:7C\r\n") + c.Line + "\r\n");
    SimulatedNetwork network(Folder());
    ASSERT_EQ(network.Adapters.size(), 1u);
    network.Save();
    const SimulatedNetwork again(Folder());
    ASSERT_EQ(again.Adapters.size(), 1u);
    if (c.List) {
      EXPECT_FALSE((network.Adapters[0].*c.List).empty());
      EXPECT_EQ(again.Adapters[0].*c.List, network.Adapters[0].*c.List);
    } else {
      EXPECT_EQ(again.Adapters[0].*c.Text, network.Adapters[0].*c.Text);
    }
  }
}

TEST_F(SimulatedNetworkTest, CountsBeyondTheBoundsLoadOnlyTheBounds) {
  struct CountCase {
    const char* Name;
    std::string AdapterCount;
    std::string PrinterCount;
  };
  const CountCase cases[] = {
      {"JustAbove", "65", "257"},
      {"Largest", "4294967295", "4294967295"},
      {"BeyondAnyNumber", "99999999999999999999999", "99999999999999999999999"},
  };
  for (const CountCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TempFolder folder;
    std::string file = "[Host]\nPrinterCount=" + c.PrinterCount + "\n[Network]\nAdapterCount=" + c.AdapterCount + "\n";
    for (int i = 0; i < 70; ++i)
      file += "[Adapter" + std::to_string(i) + "]\nConnectionName=Connection " + std::to_string(i) + "\n";
    WriteBytes(folder.File("network.ini"), file);
    SimulatedNetwork network(folder.Path());
    EXPECT_EQ(network.Adapters.size(), SimulatedNetwork::kMaxAdapterCount);
    EXPECT_EQ(network.Adapters.back().ConnectionName, "Connection 63");
    EXPECT_EQ(network.Host.Printers.size(), SimulatedNetwork::kMaxPrinterCount);
  }
}

TEST_F(SimulatedNetworkTest, BadMacIsReported) {
  TempFolder folder;
  WriteBytes(folder.File("network.ini"), "[Network]\nAdapterCount=1\n[Adapter0]\nMAC=00:0G\n");
  EXPECT_THROW(SimulatedNetwork{folder.Path()}, QuorvinError);
}

TEST_F(SimulatedNetworkTest, ListConnectionsReadsTheFile) {
  SimulatedNetworkInfo network(Folder());
  std::vector<std::string> list;
  ListConnections(network, list);
  EXPECT_EQ(list, (std::vector<std::string>{
                      "Local Area Connection", "Intel(R) PRO/1000 MT Network Connection",
                      "00:0C:29:3A:5B:7C", kWiredGuid, "Wireless Network Connection",
                      "Intel(R) Wireless WiFi Link 4965AGN", "00:1F:3B:0A:12:0C", kWirelessGuid}));
}

TEST_F(SimulatedNetworkTest, ReadIpConfigOfAFixedAdapter) {
  IpConfig expected;
  expected.IPAddress = "192.168.1.10";
  expected.SubnetMask = "255.255.255.0";
  expected.DefaultGateway = "192.168.1.1";
  expected.PreferredDns = "192.168.1.1";
  expected.AlternateDns = "8.8.8.8,8.8.4.4";
  expected.DnsDomain = "example.local";
  expected.PrimaryWins = "192.168.1.2";
  expected.SecondaryWins = "192.168.1.3";
  EXPECT_EQ(ReadConfig(kWiredGuid), expected);
}

TEST_F(SimulatedNetworkTest, ReadIpConfigOfADhcpAdapter) {
  IpConfig expected;
  expected.DhcpEnabled = true;
  expected.AutoDns = true;
  EXPECT_EQ(ReadConfig(kWirelessGuid), expected);
}

TEST_F(SimulatedNetworkTest, ReadIpConfigSeesWhatWasSaved) {
  InMemoryRegistry base;
  SimulatedRegistry registry(Folder(), base);
  IpConfig before;
  ReadIpConfig(registry, kWirelessGuid, before);
  ASSERT_TRUE(before.DhcpEnabled);

  SimulatedNetwork network(Folder());
  SimulatedAdapter& wireless = network.Adapters[1];
  wireless.DhcpEnabled = false;
  wireless.IpAddresses = {"10.1.2.3"};
  wireless.SubnetMasks = {"255.255.0.0"};
  wireless.DnsServers = {"10.1.0.1"};
  wireless.SecondaryWins = "10.1.0.9";
  network.Save();

  IpConfig after;
  ReadIpConfig(registry, kWirelessGuid, after);
  EXPECT_FALSE(after.DhcpEnabled);
  EXPECT_FALSE(after.AutoDns);
  EXPECT_EQ(after.IPAddress, "10.1.2.3");
  EXPECT_EQ(after.SubnetMask, "255.255.0.0");
  EXPECT_EQ(after.DefaultGateway, "");
  EXPECT_EQ(after.PreferredDns, "10.1.0.1");
  EXPECT_EQ(after.PrimaryWins, "10.1.0.9"); // the only WINS server comes first
}

TEST_F(SimulatedNetworkTest, OtherKeysAreTheBaseRegistrys) {
  InMemoryRegistry base;
  SimulatedRegistry registry(Folder(), base);
  registry.Open(RegistryRoot::CurrentUser, "Software\\Test", RegistryAccess::ReadWrite, true)
      ->WriteString("Name", "value");
  EXPECT_EQ(base.Open(RegistryRoot::CurrentUser, "Software\\Test", RegistryAccess::Read, false)
                ->ReadString("Name"),
            "value");
  EXPECT_EQ(registry.Open(RegistryRoot::LocalMachine,
                          std::string(kTcpipInterfacesPath) + "{00000000-0000-0000-0000-000000000000}",
                          RegistryAccess::Read, false),
            nullptr);
}

} // namespace
} // namespace quorvin::test

// The adapter operations over the simulated service: what they apply to
// network.ini is what the current-configuration reader reads back, and
// what the service refuses leaves the file as it was.

#include "base/QuorvinError.h"
#include "support/Raised.h"
#include "support/SampleSets.h"
#include "support/TempFolder.h"
#include "switching/IpSet.h"
#include "switching/IpSetService.h"
#include "switching/sim/SimulatedAdapterMethods.h"
#include "switching/sim/SimulatedManagementService.h"
#include "system/IpConfig.h"
#include "system/sim/InMemoryRegistry.h"
#include "system/sim/SimulatedNetwork.h"
#include "system/sim/SimulatedRegistry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

namespace quorvin::test {

namespace {

constexpr char kNetworkIni[] = R"ini([Network]
AdapterCount=3

[Adapter0]
ConnectionName=Local Area Connection
Description=Simulated Ethernet Adapter
MAC=00:0C:29:3A:5B:7C
GUID={4D36E972-E325-11CE-BFC1-08002BE10318}
DHCPEnabled=0
IPAddress=192.168.1.10
SubnetMask=255.255.255.0
DefaultGateway=192.168.1.1
DNSServers=192.168.1.1
DNSDomain=example.local
WINSPrimary=192.168.1.2

[Adapter1]
ConnectionName=Wireless Network Connection
Description=Simulated Wireless Adapter
MAC=00-1f-3b-0a-12-0c
GUID={A1B2C3D4-0000-4000-8000-0000000000AA}
DHCPEnabled=1

[Adapter2]
ConnectionName=Bluetooth Network Connection
Description=Simulated Personal Area Network
MAC=00:1B:DC:0F:44:21
GUID={B0B0B0B0-0000-4000-8000-000000000002}
IPEnabled=0
)ini";

constexpr char kWiredMac[] = "00:0C:29:3A:5B:7C";
constexpr char kWiredGuid[] = "{4D36E972-E325-11CE-BFC1-08002BE10318}";
constexpr char kWirelessMac[] = "00:1F:3B:0A:12:0C";
constexpr char kWirelessGuid[] = "{A1B2C3D4-0000-4000-8000-0000000000AA}";
constexpr char kBluetoothMac[] = "00:1B:DC:0F:44:21";

class SimulatedManagementServiceTest : public ::testing::Test {
protected:
  SimulatedManagementServiceTest() : FService(FFolder.Path()) { WriteBytes(FilePath(), kNetworkIni); }

  std::string FilePath() const { return FFolder.File("network.ini"); }

  IpConfig ReadBack(const char* guid) const {
    InMemoryRegistry base;
    SimulatedRegistry registry(FFolder.Path(), base);
    IpConfig config;
    ReadIpConfig(registry, guid, config);
    return config;
  }

  TempFolder FFolder;
  SimulatedManagementService FService;
};

} // namespace

// The sample set, its mask other than the default one, applied item by
// item: the adapter reads back as the set asked.
TEST_F(SimulatedManagementServiceTest, FixedAddressDnsDomainAndWinsAreReadBack) {
  TSetRecord set = SampleSet();
  set.SubnetMask = "255.255.0.0";
  set.SecondaryWins = "10.0.0.6";
  EXPECT_EQ(SetAdapterIP(FService, set.IP, set.Gateway, set.SubnetMask, kWirelessMac), 0);
  EXPECT_EQ(SetAdapterDNS(FService, set.PreferredDns, set.AlternateDns, kWirelessMac), 0);
  EXPECT_EQ(SetAdapterDNSDomain(FService, set.DnsDomainText, kWirelessMac), 0);
  EXPECT_EQ(SetAdapterWINS(FService, set.PrimaryWins, set.SecondaryWins, kWirelessMac), 0);
  EXPECT_EQ(ReadBack(kWirelessGuid), AdapterAsAsked(set));
}

TEST_F(SimulatedManagementServiceTest, EmptyMaskGivesTheDefaultMask) {
  EXPECT_EQ(SetAdapterIP(FService, "10.0.0.5", "", "", kWirelessMac), 0);
  const IpConfig config = ReadBack(kWirelessGuid);
  EXPECT_EQ(config.SubnetMask, "255.255.255.0");
  EXPECT_EQ(config.DefaultGateway, "");
}

TEST_F(SimulatedManagementServiceTest, AutomaticChoicesAreReadBack) {
  EXPECT_EQ(SetAdapterIP(FService, "DHCP", "", "", kWiredMac), 0);
  EXPECT_EQ(SetAdapterDNS(FService, "", "", kWiredMac), 0);
  EXPECT_EQ(SetAdapterDNSDomain(FService, "", kWiredMac), 0);
  EXPECT_EQ(SetAdapterWINS(FService, "", "", kWiredMac), 0);

  IpConfig expected;
  expected.DhcpEnabled = true;
  expected.AutoDns = true;
  EXPECT_EQ(ReadBack(kWiredGuid), expected);
}

// The switch sets an address without a gateway by going through DHCP first,
// which must leave no gateway behind.
TEST_F(SimulatedManagementServiceTest, DhcpFirstDropsTheOldGateway) {
  SetAdapterIP(FService, "", "", "", kWiredMac);
  EXPECT_EQ(SetAdapterIP(FService, "192.168.1.20", "", "255.255.255.0", kWiredMac), 0);
  const IpConfig config = ReadBack(kWiredGuid);
  EXPECT_FALSE(config.DhcpEnabled);
  EXPECT_EQ(config.IPAddress, "192.168.1.20");
  EXPECT_EQ(config.DefaultGateway, "");
}

struct RefusalCase {
  const char* Name;
  std::function<std::int32_t(ManagementService&)> Operation;
  std::int32_t Expected;
};

class SimulatedManagementServiceRefusalTest : public SimulatedManagementServiceTest,
                                  public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(SimulatedManagementServiceRefusalTest, RefusalAnswersTheCodeAndKeepsTheFile) {
  const std::string before = ReadBytes(FilePath());
  EXPECT_EQ(GetParam().Operation(FService), GetParam().Expected);
  EXPECT_EQ(ReadBytes(FilePath()), before);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, SimulatedManagementServiceRefusalTest,
    ::testing::Values(
        RefusalCase{"AddressFieldOver255",
                    [](ManagementService& s) { return SetAdapterIP(s, "10.0.0.256", "", "", kWiredMac); }, 70},
        RefusalCase{"AddressOfThreeFields",
                    [](ManagementService& s) { return SetAdapterIP(s, "10.0.0", "", "", kWiredMac); }, 70},
        RefusalCase{"AddressWithEmptyField",
                    [](ManagementService& s) { return SetAdapterIP(s, "10..0.1", "", "", kWiredMac); }, 70},
        RefusalCase{"AddressWithSign",
                    [](ManagementService& s) { return SetAdapterIP(s, "10.0.0.-1", "", "", kWiredMac); }, 70},
        RefusalCase{"MaskWithGap",
                    [](ManagementService& s) {
                      return SetAdapterIP(s, "10.0.0.5", "", "255.0.255.0", kWiredMac);
                    },
                    66},
        RefusalCase{"MaskOfZeros",
                    [](ManagementService& s) { return SetAdapterIP(s, "10.0.0.5", "", "0.0.0.0", kWiredMac); },
                    66},
        RefusalCase{"DnsServerOfThreeFields",
                    [](ManagementService& s) { return SetAdapterDNS(s, "8.8.8", "", kWiredMac); }, 70},
        RefusalCase{"DomainWithUnderscore",
                    [](ManagementService& s) { return SetAdapterDNSDomain(s, "corp_example", kWiredMac); },
                    73},
        RefusalCase{"DomainWithEmptyLabel",
                    [](ManagementService& s) { return SetAdapterDNSDomain(s, "corp..example", kWiredMac); },
                    73},
        RefusalCase{"WinsServerOver255",
                    [](ManagementService& s) { return SetAdapterWINS(s, "", "300.1.1.1", kWiredMac); }, 70},
        RefusalCase{"AdapterNotIpEnabled",
                    [](ManagementService& s) { return SetAdapterDNS(s, "8.8.8.8", "", kBluetoothMac); },
                    kNoMatchingAdapter},
        RefusalCase{"UnknownMac",
                    [](ManagementService& s) { return SetAdapterDNS(s, "8.8.8.8", "", "02:00:00:00:00:01"); },
                    kNoMatchingAdapter}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(SimulatedManagementServiceTest, BadGatewayIsRefusedAfterTheAddressWasSet) {
  EXPECT_EQ(SetAdapterIP(FService, "10.0.0.5", "10.0.0.300", "", kWiredMac), 71);
  const IpConfig config = ReadBack(kWiredGuid);
  EXPECT_EQ(config.IPAddress, "10.0.0.5");
  EXPECT_EQ(config.DefaultGateway, "192.168.1.1") << "the gateway keeps its old value";
}

// An adapter whose listed methods accept without applying: their answers
// stay those of the service, the file stays as it was, and the methods not
// listed still apply.
TEST_F(SimulatedManagementServiceTest, NotAppliedMethodsAnswerAsUsualAndChangeNothing) {
  std::string file = kNetworkIni;
  file.insert(file.find("DHCPEnabled=1") + 14, "NotApplied=enablestatic, SetDNSServerSearchOrder,SetDNSDomain\n");
  WriteBytes(FilePath(), file);
  EXPECT_EQ(SetAdapterIP(FService, "10.0.0.5", "", "255.255.0.0", kWirelessMac), 0);
  EXPECT_EQ(SetAdapterIP(FService, "10.0.0.300", "", "", kWirelessMac), 70) << "still checked";
  EXPECT_EQ(SetAdapterDNS(FService, "1.1.1.1", "", kWirelessMac), 0);
  EXPECT_EQ(SetAdapterDNSDomain(FService, "corp.example", kWirelessMac), 0);
  EXPECT_EQ(SetAdapterDNSDomain(FService, "corp..example", kWirelessMac), 73);
  const IpConfig unchanged = ReadBack(kWirelessGuid);
  EXPECT_TRUE(unchanged.DhcpEnabled);
  EXPECT_TRUE(unchanged.AutoDns);
  EXPECT_EQ(unchanged.DnsDomain, "");

  EXPECT_EQ(SetAdapterWINS(FService, "10.0.0.2", "", kWirelessMac), 0);
  EXPECT_EQ(ReadBack(kWirelessGuid).PrimaryWins, "10.0.0.2") << "a method not listed applies";
}

TEST_F(SimulatedManagementServiceTest, OtherQueriesAreRefusedWithTheInvalidQueryCode) {
  const auto session = FService.Connect();
  const QuorvinError error =
      test::RaisedBy([&] { session->ExecQuery("Select * from Win32_NetworkAdapterConfiguration"); });
  EXPECT_EQ(error.Code(), kInvalidQueryCode);
}

struct MethodCase {
  const char* Name;
  bool Dhcp;
  const char* Method;
  MethodArguments Arguments;
  std::int32_t Expected;
};

class SimulatedAdapterMethodTest : public ::testing::TestWithParam<MethodCase> {};

TEST_P(SimulatedAdapterMethodTest, AnswersTheServiceCode) {
  SimulatedAdapter adapter;
  adapter.DhcpEnabled = GetParam().Dhcp;
  EXPECT_EQ(CallSimulatedAdapterMethod(adapter, GetParam().Method, GetParam().Arguments),
            GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Methods, SimulatedAdapterMethodTest,
    ::testing::Values(
        MethodCase{"GatewaysUnderDhcp", true, "SetGateways", {TextList{"10.0.0.1"}}, 64},
        MethodCase{"SixGateways", false, "SetGateways",
                   {TextList{"10.0.0.1", "10.0.0.2", "10.0.0.3", "10.0.0.4", "10.0.0.5", "10.0.0.6"}}, 69},
        MethodCase{"GatewayWithCostMetric", false, "SetGateways", {TextList{"10.0.0.1"}, TextList{"1"}}, 0},
        MethodCase{"ListsOfDifferentLengths", false, "EnableStatic",
                   {TextList{"10.0.0.5", "10.0.0.6"}, TextList{"255.0.0.0"}}, 68},
        MethodCase{"EmptyLists", false, "EnableStatic", {TextList{}, TextList{}}, 68},
        MethodCase{"NameInCapitals", false, "SETWINSSERVER", {std::string(), std::string()}, 0},
        MethodCase{"NameInSmallLetters", true, "enabledhcp", {}, 0},
        MethodCase{"DnsListEmpty", false, "SetDNSServerSearchOrder", {TextList{}}, 0}),
    [](const auto& info) { return std::string(info.param.Name); });

struct MisuseCase {
  const char* Name;
  const char* Method;
  MethodArguments Arguments;
};

class SimulatedAdapterMisuseTest : public ::testing::TestWithParam<MisuseCase> {};

TEST_P(SimulatedAdapterMisuseTest, FailsAsACallWouldFail) {
  SimulatedAdapter adapter;
  EXPECT_THROW(CallSimulatedAdapterMethod(adapter, GetParam().Method, GetParam().Arguments),
               QuorvinError);
}

INSTANTIATE_TEST_SUITE_P(
    Calls, SimulatedAdapterMisuseTest,
    ::testing::Values(MisuseCase{"UnknownMethod", "ReleaseDHCPLease", {}},
                      MisuseCase{"TextForList", "EnableStatic", {std::string("10.0.0.5"), TextList{"255.0.0.0"}}},
                      MisuseCase{"ListForText", "SetDNSDomain", {TextList{"corp.example"}}},
                      MisuseCase{"MissingArgument", "SetWINSServer", {std::string("10.0.0.2")}},
                      MisuseCase{"ArgumentForDhcp", "EnableDHCP", {std::string()}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(SimulatedManagementServiceTest, SimulationFolderChoosesTheSimulatedService) {
  const auto service = CreateManagementService(FFolder.Path());
  EXPECT_EQ(SetAdapterDNSDomain(*service, "chosen.example", kWiredMac), 0);
  EXPECT_EQ(ReadBack(kWiredGuid).DnsDomain, "chosen.example");
}

} // namespace quorvin::test

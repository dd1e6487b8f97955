#include "switching/IpSet.h"

#include "base/QuorvinError.h"
#include "support/Raised.h"
#include "support/RecordingManagementService.h"

#include <gtest/gtest.h>

namespace quorvin::test {

namespace {

constexpr const char* kMac = "00:1A:2B:3C:4D:5E";

using Names = std::vector<std::string>;

class IpSetTest : public ::testing::Test {
protected:
  // One IP-enabled adapter configuration with kMac, answering as scripted.
  void Adapter(std::map<std::string, std::int32_t> answers = {}) {
    FService.AddAdapter({kMac, true, std::move(answers), {}});
  }
  const MethodArguments& ArgumentsOf(std::size_t call) const {
    return FService.Calls().at(call).Arguments;
  }

  RecordingManagementService FService;
};

} // namespace

TEST_F(IpSetTest, QueryAsksForIpEnabledConfigurationsWithTheMacText) {
  Adapter();
  SetAdapterDNSDomain(FService, "corp.example", kMac);
  ASSERT_EQ(FService.Queries().size(), 1u);
  EXPECT_EQ(FService.Queries()[0], "Select * from Win32_NetworkAdapterConfiguration where "
                                   "(MACAddress=\"00:1A:2B:3C:4D:5E\") and (IPEnabled=TRUE)");
}

TEST_F(IpSetTest, FixedAddressWithEmptyMaskUsesDefaultMaskAndThenSetsGateway) {
  Adapter({{"SetGateways", 71}});
  const std::int32_t result = SetAdapterIP(FService, "192.168.1.10", "192.168.1.1", "", kMac);
  EXPECT_EQ(result, 71) << "the result is SetGateways' return value";
  ASSERT_EQ(FService.CalledMethods(), (Names{"EnableStatic", "SetGateways"}));
  EXPECT_EQ(ArgumentsOf(0), (MethodArguments{TextList{"192.168.1.10"}, TextList{"255.255.255.0"}}));
  EXPECT_EQ(ArgumentsOf(1), (MethodArguments{TextList{"192.168.1.1"}}));
}

TEST_F(IpSetTest, GivenMaskIsPassedUnchanged) {
  Adapter();
  EXPECT_EQ(SetAdapterIP(FService, "10.0.0.5", "10.0.0.1", "255.255.0.0", kMac), 0);
  EXPECT_EQ(ArgumentsOf(0), (MethodArguments{TextList{"10.0.0.5"}, TextList{"255.255.0.0"}}));
}

class IpSetDhcpTest : public IpSetTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(IpSetDhcpTest, SwitchesToDhcpAndIgnoresTheOtherTexts) {
  Adapter({{"EnableDHCP", 1}});
  EXPECT_EQ(SetAdapterIP(FService, GetParam(), "10.0.0.1", "255.0.0.0", kMac), 1);
  ASSERT_EQ(FService.CalledMethods(), Names{"EnableDHCP"});
  EXPECT_TRUE(ArgumentsOf(0).empty());
}

INSTANTIATE_TEST_SUITE_P(IpTexts, IpSetDhcpTest, ::testing::Values("", "dhcp", "DHCP", "dHcP"));

TEST_F(IpSetTest, DhcpWordWithBlanksIsTakenAsAnAddress) {
  Adapter({{"EnableStatic", 70}});
  EXPECT_EQ(SetAdapterIP(FService, " dhcp", "", "", kMac), 70);
  EXPECT_EQ(FService.CalledMethods(), Names{"EnableStatic"});
}

TEST_F(IpSetTest, EmptyGatewaySkipsSetGatewaysAndKeepsEnableStaticResult) {
  Adapter({{"EnableStatic", 66}});
  EXPECT_EQ(SetAdapterIP(FService, "192.168.1.10", "", "255.255.255.0", kMac), 66);
  EXPECT_EQ(FService.CalledMethods(), Names{"EnableStatic"});
}

TEST_F(IpSetTest, EmptyGatewayAfterSuccessStillSkipsSetGateways) {
  Adapter();
  EXPECT_EQ(SetAdapterIP(FService, "192.168.1.10", "", "", kMac), 0);
  EXPECT_EQ(FService.CalledMethods(), Names{"EnableStatic"});
}

TEST_F(IpSetTest, EnableStaticAskingForRestartLeavesGatewayUnset) {
  Adapter({{"EnableStatic", 1}});
  EXPECT_EQ(SetAdapterIP(FService, "192.168.1.10", "192.168.1.1", "", kMac), 1);
  EXPECT_EQ(FService.CalledMethods(), Names{"EnableStatic"});
}

struct DnsCase {
  const char* Preferred;
  const char* Alternate;
  MethodArgument Expected;
};

class IpSetDnsTest : public IpSetTest, public ::testing::WithParamInterface<DnsCase> {};

TEST_P(IpSetDnsTest, ServerListHoldsTheNonEmptyServersInOrder) {
  Adapter({{"SetDNSServerSearchOrder", 96}});
  EXPECT_EQ(SetAdapterDNS(FService, GetParam().Preferred, GetParam().Alternate, kMac), 96);
  ASSERT_EQ(FService.CalledMethods(), Names{"SetDNSServerSearchOrder"});
  EXPECT_EQ(ArgumentsOf(0), MethodArguments{GetParam().Expected});
}

INSTANTIATE_TEST_SUITE_P(
    Servers, IpSetDnsTest,
    ::testing::Values(DnsCase{"8.8.8.8", "8.8.4.4", TextList{"8.8.8.8", "8.8.4.4"}},
                      DnsCase{"8.8.8.8", "", TextList{"8.8.8.8"}},
                      DnsCase{"", "8.8.4.4", TextList{"8.8.4.4"}},
                      DnsCase{"", "", OmittedArgument{}}));

TEST_F(IpSetTest, EmptyDomainIsPassedAsEmptyText) {
  Adapter({{"SetDNSDomain", 73}});
  EXPECT_EQ(SetAdapterDNSDomain(FService, "", kMac), 73);
  ASSERT_EQ(FService.CalledMethods(), Names{"SetDNSDomain"});
  EXPECT_EQ(ArgumentsOf(0), MethodArguments{std::string()});
}

TEST_F(IpSetTest, WinsServersArePassedAsTwoTextsInOrder) {
  Adapter();
  EXPECT_EQ(SetAdapterWINS(FService, "10.1.1.1", "", kMac), 0);
  ASSERT_EQ(FService.CalledMethods(), Names{"SetWinsServer"});
  EXPECT_EQ(ArgumentsOf(0), (MethodArguments{std::string("10.1.1.1"), std::string()}));
}

TEST_F(IpSetTest, MacMatchingNoIpEnabledAdapterGivesMinus100WithoutCalls) {
  FService.AddAdapter({"00:1A:2B:3C:4D:5F", true, {}, {}});
  FService.AddAdapter({kMac, false, {}, {}});
  EXPECT_EQ(SetAdapterIP(FService, "192.168.1.10", "192.168.1.1", "", kMac), kNoMatchingAdapter);
  EXPECT_EQ(FService.Queries().size(), 1u);
  EXPECT_TRUE(FService.Calls().empty());
}

TEST_F(IpSetTest, FailingMethodGivesMinus1) {
  FService.AddAdapter({kMac, true, {}, {"SetGateways"}});
  EXPECT_EQ(SetAdapterIP(FService, "192.168.1.10", "192.168.1.1", "", kMac), kMethodCallError);
}

struct SeveralCase {
  const char* Name;
  std::int32_t First;
  std::int32_t Second;
  std::int32_t Expected;
};

class IpSetSeveralAdaptersTest : public IpSetTest,
                                 public ::testing::WithParamInterface<SeveralCase> {};

// A failure on one configuration must not be hidden by a success on the
// other; every configuration is still tried.
TEST_P(IpSetSeveralAdaptersTest, ARefusalWinsOverARestartWhichWinsOverSuccess) {
  for (const std::int32_t answer : {GetParam().First, GetParam().Second}) {
    ScriptedAdapter adapter{kMac, true, {}, {}};
    if (answer == kMethodCallError)
      adapter.Failing.insert("SetDNSDomain");
    else
      adapter.Answers["SetDNSDomain"] = answer;
    FService.AddAdapter(adapter);
  }
  EXPECT_EQ(SetAdapterDNSDomain(FService, "corp.example", kMac), GetParam().Expected);
  ASSERT_EQ(FService.Calls().size(), 2u);
  EXPECT_EQ(FService.Calls()[0].Adapter, 0u);
  EXPECT_EQ(FService.Calls()[1].Adapter, 1u);
}

INSTANTIATE_TEST_SUITE_P(Results, IpSetSeveralAdaptersTest,
                         ::testing::Values(SeveralCase{"FirstRefuses", 70, 0, 70},
                                           SeveralCase{"SecondRefuses", 0, 70, 70},
                                           SeveralCase{"BothRefuse", 70, 91, 70},
                                           SeveralCase{"BothSucceed", 0, 0, 0},
                                           SeveralCase{"FirstErrs", kMethodCallError, 0, -1},
                                           SeveralCase{"RestartThenRefusal", 1, 70, 70},
                                           SeveralCase{"RestartThenError", 1, kMethodCallError, -1},
                                           SeveralCase{"RefusalThenRestart", 70, 1, 70},
                                           SeveralCase{"SuccessThenRestart", 0, 1, 1},
                                           SeveralCase{"RestartThenSuccess", 1, 0, 1},
                                           SeveralCase{"ErrorThenRefusal", kMethodCallError, 91, -1}),
                         [](const auto& info) { return std::string(info.param.Name); });

class IpSetMacFormTest : public IpSetTest, public ::testing::WithParamInterface<const char*> {};

// Only the adapter list's own form reaches the query; anything else could
// change the query's meaning.
TEST_P(IpSetMacFormTest, OtherFormsGiveMinus100WithoutQuery) {
  Adapter();
  EXPECT_EQ(SetAdapterWINS(FService, "10.1.1.1", "10.1.1.2", GetParam()), kNoMatchingAdapter);
  EXPECT_EQ(FService.ConnectCount(), 0);
  EXPECT_TRUE(FService.Queries().empty());
}

INSTANTIATE_TEST_SUITE_P(Texts, IpSetMacFormTest,
                         ::testing::Values("", "00:1a:2b:3c:4d:5e", "001A2B3C4D5E", "00-1A-2B-3C-4D-5E",
                                           "00:1A:2B:3C:4D:5E:", ":00:1A", " 00:1A:2B:3C:4D:5E",
                                           "00:1A:2B:3C:4D:5G", "0:1A:2B:3C:4D:5E", "0",
                                           "00:1A:2B:3C:4D:5E\") or (IPEnabled=TRUE",
                                           "00:1A::2B"));

class IpSetMacAcceptedTest : public IpSetTest,
                             public ::testing::WithParamInterface<const char*> {};

TEST_P(IpSetMacAcceptedTest, AdapterListFormsReachTheQuery) {
  FService.AddAdapter({GetParam(), true, {}, {}});
  EXPECT_EQ(SetAdapterDNS(FService, "", "", GetParam()), 0);
  EXPECT_EQ(FService.Calls().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Texts, IpSetMacAcceptedTest,
                         ::testing::Values("00:1A:2B:3C:4D:5E", "FF", "02:00:4C:4F:4F:50:AB:CD",
                                           "0C:0C:0C:0C:0C:0C"));

TEST_F(IpSetTest, UnreachableServiceRaisesItsErrorAndCallsNothing) {
  Adapter();
  FService.RefuseConnections(0x80041003u);
  const QuorvinError error = test::RaisedBy([&] { SetAdapterIP(FService, "", "", "", kMac); });
  EXPECT_EQ(error.Code(), 0x80041003u);
  EXPECT_TRUE(FService.Queries().empty());
  EXPECT_TRUE(FService.Calls().empty());
}

TEST_F(IpSetTest, RefusedQueryRaisesItsError) {
  Adapter();
  FService.RefuseQueries(0x80041017u);
  EXPECT_THROW(SetAdapterDNS(FService, "1.1.1.1", "", kMac), QuorvinError);
  EXPECT_TRUE(FService.Calls().empty());
}

TEST_F(IpSetTest, EveryOperationConnectsAndQueriesAnew) {
  Adapter();
  SetAdapterIP(FService, "", "", "", kMac);
  SetAdapterDNS(FService, "", "", kMac);
  SetAdapterDNSDomain(FService, "", kMac);
  SetAdapterWINS(FService, "", "", kMac);
  EXPECT_EQ(FService.ConnectCount(), 4);
  EXPECT_EQ(FService.Queries().size(), 4u);
  EXPECT_EQ(FService.CalledMethods(),
            (Names{"EnableDHCP", "SetDNSServerSearchOrder", "SetDNSDomain", "SetWinsServer"}));
}

struct TextCase {
  std::int32_t Code;
  const char* Text;
};

class IpSetResultTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(IpSetResultTextTest, GivesTheTextOfTheCode) {
  EXPECT_EQ(IpSetResultText(GetParam().Code), GetParam().Text);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, IpSetResultTextTest,
    ::testing::Values(
        TextCase{0, "Successful completion, no reboot required."},
        TextCase{1, "Successful completion, reboot required."},
        TextCase{64, "Method not supported on this platform."}, TextCase{65, "Unknown failure."},
        TextCase{66, "Invalid subnet mask."},
        TextCase{67, "An error occurred while processing an instance that was returned."},
        TextCase{68, "Invalid input parameter."}, TextCase{69, "More than five gateways specified."},
        TextCase{70, "Invalid IP address."}, TextCase{71, "Invalid gateway IP address."},
        TextCase{72, "An error occurred while accessing the registry for the info."},
        TextCase{73, "Invalid domain name."}, TextCase{74, "Invalid host name."},
        TextCase{75, "No primary or secondary WINS server defined."},
        TextCase{76, "Invalid file."}, TextCase{77, "Invalid system path."},
        TextCase{78, "File copy failed."}, TextCase{79, "Invalid security parameter."},
        TextCase{80, "Unable to configure TCP/IP service."},
        TextCase{81, "Unable to configure DHCP service. Please check whether you had used the IP "
                     "address on another network adapter."},
        TextCase{82, "Unable to renew DHCP lease."}, TextCase{83, "Unable to release DHCP lease."},
        TextCase{84, "IP not enabled on adapter."}, TextCase{85, "IPX not enabled on adapter."},
        TextCase{86, "Frame/network number bounds error."}, TextCase{87, "Invalid frame type."},
        TextCase{88, "Invalid network number."}, TextCase{89, "Duplicate network number."},
        TextCase{90, "Parameter out of bounds."}, TextCase{91, "Access denied."},
        TextCase{92, "Out of memory."}, TextCase{93, "Already exists."},
        TextCase{94, "Path, file, or object not found."},
        TextCase{95, "Unable to notify service."}, TextCase{96, "Unable to notify DNS service."},
        TextCase{97, "Interface not configurable."},
        TextCase{98, "Not all DHCP leases could be released or renewed."},
        TextCase{100, "DHCP not enabled on adapter."},
        TextCase{-100, "Please check if the connection is active. For example, whether your "
                       "network card is disconnected."},
        TextCase{-1, "Unknown OLE Error"}, TextCase{99, ""}, TextCase{2, ""}, TextCase{63, ""},
        TextCase{101, ""}, TextCase{-2, ""}, TextCase{-99, ""}));

} // namespace quorvin::test

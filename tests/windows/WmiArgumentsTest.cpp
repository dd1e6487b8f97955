// The variants that the adapter operations hand to the service's objects,
// checked with stand-in objects in place of the services object.

#include "WmiFakeServices.h"

#include "base/QuorvinError.h"
#include "switching/IpSet.h"
#include "switching/win32/WmiManagementService.h"

#include <gtest/gtest.h>

namespace quorvin::test {

namespace {

constexpr const char* kMac = "00:1A:2B:3C:4D:5E";

class FakeWmiService : public ManagementService {
public:
  FakeWmiService(FakeScript script, FakeRecord& record)
      : FScript(std::move(script)), FRecord(record) {}
  std::unique_ptr<ManagementSession> Connect() override {
    return MakeWmiSession(MakeFakeServices(FScript, FRecord));
  }

private:
  FakeScript FScript;
  FakeRecord& FRecord;
};

class WmiArgumentsTest : public ::testing::Test {
protected:
  void SetUp() override { FLivingBefore = LivingFakes(); }
  void TearDown() override {
    EXPECT_EQ(LivingFakes(), FLivingBefore) << "every object obtained is released";
  }

  // One adapter answering as given.
  FakeWmiService Service(std::map<std::string, FakeAnswer> answers = {}) {
    FakeScript script;
    script.Adapters.push_back(std::move(answers));
    return FakeWmiService(script, FRecord);
  }
  const std::vector<SeenCall>& CallsOf(std::size_t adapter) const {
    return FRecord.Calls.at(adapter);
  }

  FakeRecord FRecord;

private:
  int FLivingBefore = 0;
};

void ExpectAddressList(const SeenArgument& seen, const std::vector<std::string>& elements) {
  EXPECT_EQ(seen.Type, VT_BYREF | VT_VARIANT);
  EXPECT_EQ(seen.InnerType, VT_ARRAY | VT_BSTR);
  EXPECT_EQ(seen.Dimensions, 1u);
  EXPECT_EQ(seen.LowerBound, 0);
  EXPECT_EQ(seen.Elements, elements);
}

void ExpectText(const SeenArgument& seen, const std::string& text) {
  EXPECT_EQ(seen.Type, VT_BSTR);
  EXPECT_FALSE(seen.NullText);
  EXPECT_EQ(seen.Text, text);
}

} // namespace

TEST_F(WmiArgumentsTest, QueryGoesToExecQueryAsOneText) {
  auto service = Service();
  SetAdapterDNSDomain(service, "corp.example", kMac);
  ASSERT_EQ(FRecord.QueryArguments.size(), 1u);
  ExpectText(FRecord.QueryArguments[0], "Select * from Win32_NetworkAdapterConfiguration where "
                                        "(MACAddress=\"00:1A:2B:3C:4D:5E\") and (IPEnabled=TRUE)");
}

TEST_F(WmiArgumentsTest, StaticAddressSendsByReferenceBstrArrays) {
  auto service = Service({{"SetGateways", ReturnCode(67)}});
  EXPECT_EQ(SetAdapterIP(service, "192.168.1.10", "192.168.1.1", "", kMac), 67);
  const auto& calls = CallsOf(0);
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].Method, "EnableStatic");
  EXPECT_EQ(calls[0].Flags, DISPATCH_METHOD);
  ASSERT_EQ(calls[0].Arguments.size(), 2u);
  ExpectAddressList(calls[0].Arguments[0], {"192.168.1.10"});
  ExpectAddressList(calls[0].Arguments[1], {"255.255.255.0"});
  EXPECT_EQ(calls[1].Method, "SetGateways");
  ASSERT_EQ(calls[1].Arguments.size(), 1u);
  ExpectAddressList(calls[1].Arguments[0], {"192.168.1.1"});
}

TEST_F(WmiArgumentsTest, DhcpCallTakesNoArguments) {
  auto service = Service({{"EnableDHCP", ReturnCode(1)}});
  EXPECT_EQ(SetAdapterIP(service, "dhcp", "", "", kMac), 1);
  ASSERT_EQ(CallsOf(0).size(), 1u);
  EXPECT_EQ(CallsOf(0)[0].Method, "EnableDHCP");
  EXPECT_TRUE(CallsOf(0)[0].Arguments.empty());
}

TEST_F(WmiArgumentsTest, DnsServersGoAsOneArrayInOrder) {
  auto service = Service();
  EXPECT_EQ(SetAdapterDNS(service, "8.8.8.8", "8.8.4.4", kMac), 0);
  ASSERT_EQ(CallsOf(0).size(), 1u);
  ASSERT_EQ(CallsOf(0)[0].Arguments.size(), 1u);
  ExpectAddressList(CallsOf(0)[0].Arguments[0], {"8.8.8.8", "8.8.4.4"});
}

TEST_F(WmiArgumentsTest, NoDnsServerSendsAnOmittedArgument) {
  auto service = Service();
  EXPECT_EQ(SetAdapterDNS(service, "", "", kMac), 0);
  ASSERT_EQ(CallsOf(0).size(), 1u);
  EXPECT_EQ(CallsOf(0)[0].Method, "SetDNSServerSearchOrder");
  ASSERT_EQ(CallsOf(0)[0].Arguments.size(), 1u);
  EXPECT_EQ(CallsOf(0)[0].Arguments[0].Type, VT_ERROR);
  EXPECT_EQ(CallsOf(0)[0].Arguments[0].Code, DISP_E_PARAMNOTFOUND);
}

TEST_F(WmiArgumentsTest, EmptyDomainIsAnEmptyBstrNotANullOne) {
  auto service = Service({{"SetDNSDomain", ReturnCode(73)}});
  EXPECT_EQ(SetAdapterDNSDomain(service, "", kMac), 73);
  ASSERT_EQ(CallsOf(0).size(), 1u);
  ASSERT_EQ(CallsOf(0)[0].Arguments.size(), 1u);
  ExpectText(CallsOf(0)[0].Arguments[0], "");
}

TEST_F(WmiArgumentsTest, WinsServersGoAsTwoBstrsInOrder) {
  auto service = Service();
  EXPECT_EQ(SetAdapterWINS(service, "10.1.1.1", "10.1.1.2", kMac), 0);
  ASSERT_EQ(CallsOf(0).size(), 1u);
  EXPECT_EQ(CallsOf(0)[0].Method, "SetWinsServer");
  ASSERT_EQ(CallsOf(0)[0].Arguments.size(), 2u);
  ExpectText(CallsOf(0)[0].Arguments[0], "10.1.1.1");
  ExpectText(CallsOf(0)[0].Arguments[1], "10.1.1.2");
}

struct FailureCase {
  const char* Name;
  FakeAnswer Answer;
  std::int32_t Expected;
};

class WmiMethodOutcomeTest : public WmiArgumentsTest,
                             public ::testing::WithParamInterface<FailureCase> {};

TEST_P(WmiMethodOutcomeTest, ReturnValueBecomesTheResult) {
  auto service = Service({{"SetDNSDomain", GetParam().Answer}});
  EXPECT_EQ(SetAdapterDNSDomain(service, "corp.example", kMac), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, WmiMethodOutcomeTest,
    ::testing::Values(FailureCase{"Number", ReturnCode(91), 91},
                      FailureCase{"NumberAsText", ReturnText(L"96"), 96},
                      FailureCase{"NoNumber", ReturnText(L"refused"), kMethodCallError},
                      FailureCase{"MemberRaised", Fail(DISP_E_EXCEPTION), kMethodCallError},
                      FailureCase{"NoSuchMember", Fail(DISP_E_MEMBERNOTFOUND), kMethodCallError},
                      FailureCase{"CallFailed", Fail(E_FAIL), kMethodCallError}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(WmiArgumentsTest, FailedCallOnFirstAdapterStillConfiguresTheSecond) {
  FakeScript script;
  script.Adapters = {{{"SetDNSDomain", Fail(E_FAIL)}}, {}};
  FakeWmiService service(script, FRecord);
  EXPECT_EQ(SetAdapterDNSDomain(service, "corp.example", kMac), kMethodCallError);
  EXPECT_EQ(CallsOf(0).size(), 1u);
  EXPECT_EQ(CallsOf(1).size(), 1u);
}

TEST_F(WmiArgumentsTest, ElementThatIsNoObjectCountsAsFailedCall) {
  FakeScript script;
  script.NonObjectElements = 1;
  FakeWmiService service(script, FRecord);
  EXPECT_EQ(SetAdapterWINS(service, "", "", kMac), kMethodCallError);
}

TEST_F(WmiArgumentsTest, EmptyResultGivesMinus100) {
  FakeWmiService service(FakeScript{}, FRecord);
  EXPECT_EQ(SetAdapterIP(service, "", "", "", kMac), kNoMatchingAdapter);
  EXPECT_EQ(FRecord.Queries.size(), 1u);
}

TEST_F(WmiArgumentsTest, RefusedQueryRaisesItsResult) {
  FakeScript script;
  script.QueryOutcome = static_cast<HRESULT>(0x80041017); // invalid query
  FakeWmiService service(script, FRecord);
  try {
    SetAdapterDNS(service, "", "", kMac);
    FAIL() << "no error raised";
  } catch (const QuorvinError& error) {
    EXPECT_EQ(error.Code(), 0x80041017u);
  }
}

TEST_F(WmiArgumentsTest, MissingEnumeratorRaisesItsResult) {
  FakeScript script;
  script.Adapters.resize(1);
  script.NewEnumOutcome = E_OUTOFMEMORY;
  FakeWmiService service(script, FRecord);
  try {
    SetAdapterDNS(service, "", "", kMac);
    FAIL() << "no error raised";
  } catch (const QuorvinError& error) {
    EXPECT_EQ(error.Code(), static_cast<std::uint32_t>(E_OUTOFMEMORY));
  }
  EXPECT_TRUE(CallsOf(0).empty());
}

} // namespace quorvin::test

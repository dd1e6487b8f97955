// The management service over COM, first against the one that Wine itself
// provides: the moniker binds, queries run and enumerate, and Wine's
// adapter configurations are matched as the service compares MAC texts.
// Then the variants that the adapter operations hand to the service's
// objects, checked with stand-in objects in place of the services object.

#include "switching/win32/WmiManagementService.h"

#include "WmiFakeServices.h"
#include "base/AsciiCase.h"
#include "base/QuorvinError.h"
#include "support/Raised.h"
#include "switching/IpSet.h"
#include "switching/IpSetQuery.h"
#include "switching/win32/WmiDispatch.h"
#include "switching/win32/WmiVariant.h"

#include <windows.h>
#include <iphlpapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <thread>
#include <type_traits>

namespace quorvin::test {

namespace {

// Growth of the heaps allowed over the repeated calls: room for the test
// framework's own bookkeeping, far below what 200 calls leaking their object
// sets would take.
constexpr std::size_t kHeapSlack = 4 * 1024;

// Fixed, locally administered; no real adapter carries it.
constexpr const char* kUnknownMac = "0E:51:7A:00:00:01";

// The hardware addresses of the machine's adapters, written as the adapter
// list writes them.
// The adapter records come through the helper library loaded by name, so
// that the test executable needs no import library of its own.
std::vector<std::string> MachineMacs() {
  std::vector<std::string> macs;
  const std::unique_ptr<std::remove_pointer_t<HMODULE>, decltype(&::FreeLibrary)> helper(
      ::LoadLibraryA("iphlpapi.dll"), &::FreeLibrary);
  if (!helper)
    return macs;
  using GetAdaptersInfoFunction = ULONG(WINAPI*)(IP_ADAPTER_INFO*, ULONG*);
  const auto getAdaptersInfo = reinterpret_cast<GetAdaptersInfoFunction>(
      reinterpret_cast<void*>(::GetProcAddress(helper.get(), "GetAdaptersInfo")));
  ULONG size = 0;
  if (getAdaptersInfo)
    getAdaptersInfo(nullptr, &size);
  std::vector<unsigned char> buffer(size ? size : 1);
  auto* info = reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data());
  if (size == 0 || getAdaptersInfo(info, &size) != ERROR_SUCCESS)
    return macs;
  for (; info; info = info->Next) {
    std::string mac;
    for (UINT i = 0; i < info->AddressLength; ++i) {
      char pair[4];
      std::snprintf(pair, sizeof pair, i ? ":%02X" : "%02X", info->Address[i]);
      mac += pair;
    }
    if (!mac.empty())
      macs.push_back(mac);
  }
  return macs;
}

// The bytes in use in all heaps of the process. Wine answers the handle
// count and the private-usage counter with 0, so a leak is looked for where
// the service's objects and strings live.
std::size_t HeapBytesInUse() {
  std::vector<HANDLE> heaps(256);
  const DWORD count = ::GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data());
  heaps.resize(std::min<std::size_t>(count, heaps.size()));
  std::size_t inUse = 0;
  for (const HANDLE heap : heaps) {
    if (!::HeapLock(heap))
      continue;
    PROCESS_HEAP_ENTRY entry{};
    while (::HeapWalk(heap, &entry))
      if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
        inUse += entry.cbData;
    ::HeapUnlock(heap);
  }
  return inUse;
}

// The MACAddress texts of all adapter configurations, as the service
// reports them, read late-bound from its own objects.
std::vector<std::string> ReportedMacs() {
  const auto services = BindWmiServices();
  std::vector<VARIANT> query{};
  const UniqueBstr text = MakeBstr("Select * from Win32_NetworkAdapterConfiguration");
  VARIANT argument;
  argument.vt = VT_BSTR;
  argument.bstrVal = text.get();
  query.push_back(argument);
  UniqueVariant set;
  EXPECT_EQ(InvokeByName(*services.Get(), L"ExecQuery", DISPATCH_METHOD, query, set.Put()), S_OK);
  std::vector<VARIANT> none;
  UniqueVariant enumeratorHolder;
  const Microsoft::WRL::ComPtr<IUnknown> setObject = ObjectOf(*set.Get());
  Microsoft::WRL::ComPtr<IDispatch> setDispatch;
  Microsoft::WRL::ComPtr<IEnumVARIANT> enumerator;
  if (!setObject || FAILED(setObject.As(&setDispatch)) ||
      FAILED(InvokeByName(*setDispatch.Get(), L"_NewEnum", DISPATCH_METHOD | DISPATCH_PROPERTYGET, none,
                          enumeratorHolder.Put())) ||
      FAILED(ObjectOf(*enumeratorHolder.Get()).As(&enumerator)))
    return {};
  std::vector<std::string> macs;
  UniqueVariant element;
  while (enumerator->Next(1, element.Put(), nullptr) == S_OK) {
    Microsoft::WRL::ComPtr<IDispatch> adapter;
    UniqueVariant mac;
    if (SUCCEEDED(ObjectOf(*element.Get()).As(&adapter)) &&
        // Wine's objects answer a plain property get with E_NOTIMPL; scripts
        // ask with both flags.
        SUCCEEDED(InvokeByName(*adapter.Get(), L"MACAddress", DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                               none, mac.Put())) &&
        mac.Get()->vt == VT_BSTR) {
      char narrow[64] = {};
      ::WideCharToMultiByte(CP_ACP, 0, mac.Get()->bstrVal, -1, narrow, sizeof narrow - 1, nullptr, nullptr);
      macs.emplace_back(narrow);
    }
  }
  return macs;
}

// Counts what a query returns.
int CountObjects(ManagementService& service, const std::string& query) {
  const auto session = service.Connect();
  const auto cursor = session->ExecQuery(query);
  int count = 0;
  while (cursor->Next())
    ++count;
  return count;
}

class WmiWineTest : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr))); }
  void TearDown() override { ::CoUninitialize(); }

  WmiManagementService FService;
};

} // namespace

TEST_F(WmiWineTest, MacMatchingNothingGivesMinus100) {
  EXPECT_EQ(SetAdapterIP(FService, "192.168.1.10", "192.168.1.1", "", kUnknownMac),
            kNoMatchingAdapter);
  EXPECT_EQ(SetAdapterDNS(FService, "8.8.8.8", "", kUnknownMac), kNoMatchingAdapter);
  EXPECT_EQ(SetAdapterDNSDomain(FService, "corp.example", kUnknownMac), kNoMatchingAdapter);
  EXPECT_EQ(SetAdapterWINS(FService, "", "", kUnknownMac), kNoMatchingAdapter);
}

TEST_F(WmiWineTest, WithoutComTheNamespaceCannotBeReached) {
  std::uint32_t code = 0;
  bool raised = false;
  // A fresh thread has no COM apartment of its own.
  std::thread([&] {
    WmiManagementService service;
    try {
      service.Connect();
    } catch (const QuorvinError& error) {
      raised = true;
      code = error.Code();
    }
  }).join();
  EXPECT_TRUE(raised);
  EXPECT_TRUE(FAILED(static_cast<HRESULT>(code))) << std::hex << code;
}

TEST_F(WmiWineTest, MalformedQueryRaisesItsResult) {
  const auto session = FService.Connect();
  const QuorvinError error = test::RaisedBy([&] { session->ExecQuery("Select from"); });
  EXPECT_EQ(error.Code(), 0x80041017u) << "the service's own code for an invalid query";
}

TEST_F(WmiWineTest, WineReportsMacAddressesInSmallLetters) {
  const std::vector<std::string> machine = MachineMacs();
  if (machine.empty())
    GTEST_SKIP() << "this machine has no network adapter";
  std::vector<std::string> expected;
  for (const std::string& mac : machine)
    expected.push_back(LowerAscii(mac));
  std::vector<std::string> reported = ReportedMacs();
  std::sort(expected.begin(), expected.end());
  std::sort(reported.begin(), reported.end());
  EXPECT_EQ(reported, expected);
}

// Wine reports its adapters' MAC addresses in small letters but compares
// texts in a query without regard to case, so the adapter list's upper-case
// form finds each adapter once. Its adapter configurations have no methods:
// the name lookup of any method fails, so every operation ends in -1.
TEST_F(WmiWineTest, WineAdaptersAreFoundButTakeNoMethodCall) {
  const std::vector<std::string> macs = MachineMacs();
  if (macs.empty())
    GTEST_SKIP() << "this machine has no network adapter";
  for (const std::string& mac : macs) {
    ASSERT_TRUE(IsAdapterMacText(mac)) << mac;
    EXPECT_EQ(CountObjects(FService, AdapterQueryText(mac)), 1) << mac;
    EXPECT_EQ(SetAdapterIP(FService, "192.168.1.10", "192.168.1.1", "", mac), kMethodCallError);
    EXPECT_EQ(SetAdapterDNS(FService, "", "", mac), kMethodCallError);
    EXPECT_EQ(SetAdapterDNSDomain(FService, "corp.example", mac), kMethodCallError);
    EXPECT_EQ(SetAdapterWINS(FService, "10.1.1.1", "", mac), kMethodCallError);

    const auto session = FService.Connect();
    const auto cursor = session->ExecQuery(AdapterQueryText(mac));
    const auto adapter = cursor->Next();
    ASSERT_TRUE(adapter);
    const QuorvinError error =
        test::RaisedBy([&] { adapter->CallMethod("SetDNSDomain", {std::string("corp.example")}); });
    EXPECT_EQ(error.Code(), static_cast<std::uint32_t>(DISP_E_UNKNOWNNAME));
  }
}

TEST_F(WmiWineTest, RepeatedCallsKeepTheHeapsFromGrowing) {
  const std::vector<std::string> macs = MachineMacs();
  const std::string known = macs.empty() ? kUnknownMac : macs.front();
  const std::int32_t knownResult = macs.empty() ? kNoMatchingAdapter : kMethodCallError;
  // The service loads and caches on first use; measure after that.
  for (int i = 0; i < 10; ++i)
    SetAdapterDNS(FService, "", "", known);
  const std::size_t before = HeapBytesInUse();
  for (int i = 0; i < 100; ++i) {
    ASSERT_EQ(SetAdapterDNS(FService, "8.8.8.8", "8.8.4.4", kUnknownMac), kNoMatchingAdapter);
    ASSERT_EQ(SetAdapterIP(FService, "192.168.1.10", "192.168.1.1", "", known), knownResult);
  }
  const std::size_t after = HeapBytesInUse();
  std::printf("heap bytes in use: %zu before, %zu after 200 calls\n", before, after);
  EXPECT_LE(after, before + kHeapSlack);
}

} // namespace quorvin::test

// --- Against stand-in objects ---

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
  const QuorvinError error = test::RaisedBy([&] { SetAdapterDNS(service, "", "", kMac); });
  EXPECT_EQ(error.Code(), 0x80041017u);
}

TEST_F(WmiArgumentsTest, MissingEnumeratorRaisesItsResult) {
  FakeScript script;
  script.Adapters.resize(1);
  script.NewEnumOutcome = E_OUTOFMEMORY;
  FakeWmiService service(script, FRecord);
  const QuorvinError error = test::RaisedBy([&] { SetAdapterDNS(service, "", "", kMac); });
  EXPECT_EQ(error.Code(), static_cast<std::uint32_t>(E_OUTOFMEMORY));
  EXPECT_TRUE(CallsOf(0).empty());
}

} // namespace quorvin::test

#include "base/QuorvinError.h"
#include "support/Raised.h"
#include "system/ProxySettings.h"
#include "system/sim/InMemoryHost.h"
#include "system/sim/InMemoryRegistry.h"

#include <gtest/gtest.h>

namespace quorvin::test {
namespace {

constexpr char kKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

struct ProxyCase {
  const char* Name;
  const char* List;
  const char* Server;
  int Port;
};

class GetProxyForTest : public ::testing::TestWithParam<ProxyCase> {};

TEST_P(GetProxyForTest, GivesServerAndPort) {
  EXPECT_EQ(GetProxyFor(GetParam().List, "http"), (ProxyAddress{GetParam().Server, GetParam().Port}));
}

INSTANTIATE_TEST_SUITE_P(
    Lists, GetProxyForTest,
    ::testing::Values(
        ProxyCase{"Empty", "", "", 0},
        ProxyCase{"OneForAllProtocols", "proxy.example:3128", "proxy.example", 3128},
        ProxyCase{"HttpEntryFollowedByHttps", "http=proxy.example:8080;https=secure.example:443",
                  "proxy.example", 8080},
        ProxyCase{"HttpEntryAfterFtp", "ftp=ftp.example:21;http=proxy.example:8080",
                  "proxy.example", 8080},
        ProxyCase{"NoHttpEntryCutsNothing", "ftp=ftp.example:21;https=secure.example:443",
                  "ftp=ftp.example", 0},
        ProxyCase{"NoColon", "proxy.example", "", 0},
        ProxyCase{"PortThatIsNoNumber", "proxy.example:port", "proxy.example", 0},
        ProxyCase{"EmptyPort", "proxy.example:", "proxy.example", 0},
        ProxyCase{"PortWithLeadingBlanks", "proxy.example: 80", "proxy.example", 80},
        ProxyCase{"AddressServer", "10.0.0.1:80", "10.0.0.1", 80},
        ProxyCase{"OnlyAnHttpsEntryIsTakenWhole", "https=secure.example:443", "https=secure.example", 443}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(GetProxyList, ProxyAccessGivesTheList) {
  InMemoryHost host;
  host.Proxy = {kInternetOpenTypeProxy, "proxy.example:3128", "<local>"};
  EXPECT_EQ(GetProxyList(host), "proxy.example:3128");
  EXPECT_EQ(GetProxyFor(host, "http"), (ProxyAddress{"proxy.example", 3128}));
}

TEST(GetProxyList, DirectAccessOrAFailedQueryIsEmpty) {
  InMemoryHost host;
  host.Proxy = {kInternetOpenTypeDirect, "proxy.example:3128", ""};
  EXPECT_EQ(GetProxyList(host), "");
  host.Proxy.AccessType = kInternetOpenTypeProxy;
  host.ProxyQuerySucceeds = false;
  EXPECT_EQ(GetProxyList(host), "");
  EXPECT_EQ(GetProxyFor(host, "http"), ProxyAddress{});
}

class WriteProxyTest : public ::testing::Test {
protected:
  std::unique_ptr<RegistryKey> Key() {
    return FRegistry.Open(RegistryRoot::CurrentUser, kKeyPath, RegistryAccess::Read, false);
  }
  InMemoryRegistry FRegistry;
  InMemoryHost FHost;
};

TEST_F(WriteProxyTest, CreatesTheKeyAndWritesBothValues) {
  WriteProxyRegistry(FRegistry, true, "10.0.0.1:80");
  ASSERT_NE(Key(), nullptr);
  EXPECT_EQ(Key()->Query("ProxyServer").Type, RegistryType::String);
  EXPECT_EQ(Key()->ReadString("ProxyServer"), "10.0.0.1:80");
  EXPECT_EQ(Key()->ReadInteger("ProxyEnable"), 1u);
  WriteProxyRegistry(FRegistry, false, "10.0.0.1:80");
  EXPECT_EQ(Key()->ReadInteger("ProxyEnable"), 0u);
}

TEST_F(WriteProxyTest, KeyThatCannotBeOpenedWritesNothingAndSaysNothing) {
  FRegistry.RefuseOpen(RegistryRoot::CurrentUser, kKeyPath);
  EXPECT_NO_THROW(WriteProxyRegistry(FRegistry, true, "10.0.0.1:80"));
}

TEST_F(WriteProxyTest, RefusedWriteStopsAtProxyServer) {
  FRegistry.RefuseWrites(RegistryRoot::CurrentUser, kKeyPath);
  const QuorvinError error = test::RaisedBy([&] { ApplyProxyInProcess(FRegistry, FHost, true, "10.0.0.1", "80"); });
  EXPECT_STREQ(error.what(), "Failed to set data for 'ProxyServer'");
  EXPECT_FALSE(Key()->HasValue("ProxyEnable"));
  EXPECT_TRUE(FHost.Calls.empty()); // no notifications after the failure
}

TEST_F(WriteProxyTest, ApplyInProcessWritesThenTellsTheInternetLibrary) {
  ApplyProxyInProcess(FRegistry, FHost, false, "proxy.example", "8080");
  EXPECT_EQ(Key()->ReadString("ProxyServer"), "proxy.example:8080");
  EXPECT_EQ(Key()->ReadInteger("ProxyEnable"), 0u);
  // The record names the address alone, with proxy access, on or off.
  EXPECT_EQ(FHost.Calls, (std::vector<std::string>{"SetProxy 3 proxy.example ",
                                                   "SendInternetOption 39",
                                                   "SendInternetOption 43"}));
}

TEST_F(WriteProxyTest, EmptyAddressAndPortWriteAColon) {
  ApplyProxyInProcess(FRegistry, FHost, true, "", "");
  EXPECT_EQ(Key()->ReadString("ProxyServer"), ":");
}

} // namespace
} // namespace quorvin::test

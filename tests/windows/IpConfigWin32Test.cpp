#include "base/QuorvinError.h"
#include "support/Raised.h"
#include "system/IpConfig.h"
#include "system/win32/Win32Registry.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace quorvin::test {
namespace {

// An interface of its own under the machine's TCP/IP and NetBT keys, removed
// afterwards. Writing there needs administrator rights (Wine grants them).
class IpConfigWin32Test : public ::testing::Test {
protected:
  static constexpr char kGuid[] = "{51430000-7E57-4000-8000-0000000000F1}";

  void SetUp() override {
    FTcpip = FRegistry.Open(RegistryRoot::LocalMachine, std::string(kTcpipInterfacesPath) + kGuid,
                            RegistryAccess::ReadWrite, true);
    FNetbt = FRegistry.Open(RegistryRoot::LocalMachine, std::string(kNetbtInterfacesPath) + kGuid,
                            RegistryAccess::ReadWrite, true);
    if (!FTcpip || !FNetbt)
      GTEST_SKIP() << "no right to write under HKEY_LOCAL_MACHINE";
  }
  void TearDown() override {
    FTcpip.reset();
    FNetbt.reset();
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, (std::string(kTcpipInterfacesPath) + kGuid).c_str());
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, (std::string(kNetbtInterfacesPath) + kGuid).c_str());
  }

  Win32Registry FRegistry;
  std::unique_ptr<RegistryKey> FTcpip;
  std::unique_ptr<RegistryKey> FNetbt;
};

TEST_F(IpConfigWin32Test, ReadsTheRegistryValues) {
  FTcpip->WriteInteger("EnableDHCP", 0);
  FTcpip->Set("IPAddress", REG_MULTI_SZ, EncodeMultiString({"10.0.0.5", "10.0.0.6"}));
  FTcpip->Set("SubnetMask", REG_MULTI_SZ, EncodeMultiString({"255.0.0.0"}));
  FTcpip->Set("DefaultGateway", REG_MULTI_SZ, EncodeMultiString({"10.0.0.1"}));
  FTcpip->WriteString("NameServer", "10.0.0.53,10.0.0.54");
  FTcpip->WriteString("Domain", "corp.example");
  FNetbt->Set("NameServerList", REG_MULTI_SZ, EncodeMultiString({"10.0.0.7"}));

  IpConfig config;
  ReadIpConfig(FRegistry, kGuid, config);
  IpConfig expected;
  expected.IPAddress = "10.0.0.5";
  expected.SubnetMask = "255.0.0.0";
  expected.DefaultGateway = "10.0.0.1";
  expected.PreferredDns = "10.0.0.53";
  expected.AlternateDns = "10.0.0.54";
  expected.DnsDomain = "corp.example";
  expected.PrimaryWins = "10.0.0.7";
  EXPECT_EQ(config, expected);
}

TEST_F(IpConfigWin32Test, OversizedMultiStringIsInvalid) {
  FTcpip->WriteInteger("EnableDHCP", 0);
  FTcpip->Set("IPAddress", REG_MULTI_SZ, EncodeMultiString(std::vector<std::string>(20, "192.168.100.200")));
  IpConfig config;
  const QuorvinError error = test::RaisedBy([&] { ReadIpConfig(FRegistry, kGuid, config); });
  EXPECT_STREQ(error.what(), "Invalid data type for 'IPAddress'");
}

} // namespace
} // namespace quorvin::test

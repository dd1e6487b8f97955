#include "base/QuorvinError.h"
#include "system/IpConfig.h"
#include "system/sim/InMemoryRegistry.h"

#include <gtest/gtest.h>

namespace quorvin::test {
namespace {

constexpr char kGuid[] = "{11111111-2222-3333-4444-555555555555}";

std::string TcpipPath() { return std::string(kTcpipInterfacesPath) + kGuid; }
std::string NetbtPath() { return std::string(kNetbtInterfacesPath) + kGuid; }

std::string Dword(std::uint32_t value) {
  return std::string(reinterpret_cast<const char*>(&value), sizeof value);
}
std::string Sz(std::string_view text) { return std::string(text) + '\0'; }

class IpConfigTest : public ::testing::Test {
protected:
  std::unique_ptr<RegistryKey> Tcpip() {
    return FRegistry.Open(RegistryRoot::LocalMachine, TcpipPath(), RegistryAccess::ReadWrite, true);
  }
  std::unique_ptr<RegistryKey> Netbt() {
    return FRegistry.Open(RegistryRoot::LocalMachine, NetbtPath(), RegistryAccess::ReadWrite, true);
  }
  // A static adapter with one address, no DNS list and no WINS servers.
  void StaticAdapter() {
    auto key = Tcpip();
    key->Set("EnableDHCP", RegistryType::Dword, Dword(0));
    key->Set("IPAddress", RegistryType::MultiString, EncodeMultiString({"10.0.0.5", "10.0.0.6"}));
    key->Set("SubnetMask", RegistryType::MultiString, EncodeMultiString({"255.0.0.0", "255.0.0.0"}));
    key->Set("DefaultGateway", RegistryType::MultiString, EncodeMultiString({"10.0.0.1"}));
    key->Set("NameServer", RegistryType::String, Sz(""));
    key->Set("Domain", RegistryType::String, Sz("corp.example"));
  }
  IpConfig Read() {
    IpConfig config;
    ReadIpConfig(FRegistry, kGuid, config);
    return config;
  }
  std::string ReadError() {
    try {
      Read();
    } catch (const QuorvinError& error) {
      return error.what();
    }
    return {};
  }

  InMemoryRegistry FRegistry;
};

TEST_F(IpConfigTest, StaticAdapterGivesItsFirstAddresses) {
  StaticAdapter();
  const IpConfig config = Read();
  EXPECT_FALSE(config.DhcpEnabled);
  EXPECT_TRUE(config.AutoDns);
  EXPECT_EQ(config.IPAddress, "10.0.0.5");
  EXPECT_EQ(config.SubnetMask, "255.0.0.0");
  EXPECT_EQ(config.DefaultGateway, "10.0.0.1");
  EXPECT_EQ(config.PreferredDns, "");
  EXPECT_EQ(config.AlternateDns, "");
  EXPECT_EQ(config.DnsDomain, "corp.example");
}

TEST_F(IpConfigTest, DhcpWithAFixedDnsListLeavesTheAddressesEmpty) {
  StaticAdapter();
  Tcpip()->Set("EnableDHCP", RegistryType::Dword, Dword(1));
  Tcpip()->Set("NameServer", RegistryType::String, Sz("10.0.0.53"));
  const IpConfig config = Read();
  EXPECT_TRUE(config.DhcpEnabled);
  EXPECT_FALSE(config.AutoDns);
  EXPECT_EQ(config.IPAddress, "");
  EXPECT_EQ(config.SubnetMask, "");
  EXPECT_EQ(config.DefaultGateway, "");
  EXPECT_EQ(config.PreferredDns, "10.0.0.53");
}

TEST_F(IpConfigTest, AnyNonZeroEnableDhcpIsOn) {
  StaticAdapter();
  Tcpip()->Set("EnableDHCP", RegistryType::Dword, Dword(2));
  EXPECT_TRUE(Read().DhcpEnabled);
}

TEST_F(IpConfigTest, MissingValuesReadEmpty) {
  Tcpip()->Set("EnableDHCP", RegistryType::Dword, Dword(0));
  const IpConfig config = Read();
  EXPECT_TRUE(config.AutoDns);
  EXPECT_EQ(config.IPAddress, "");
  EXPECT_EQ(config.DnsDomain, "");
}

struct NameServerCase {
  const char* Name;
  const char* NameServer;
  bool AutoDns;
  const char* Preferred;
  const char* Alternate;
};

class NameServerSplit : public IpConfigTest, public ::testing::WithParamInterface<NameServerCase> {};

TEST_P(NameServerSplit, Splits) {
  StaticAdapter();
  Tcpip()->Set("NameServer", RegistryType::String, Sz(GetParam().NameServer));
  const IpConfig config = Read();
  EXPECT_EQ(config.AutoDns, GetParam().AutoDns);
  EXPECT_EQ(config.PreferredDns, GetParam().Preferred);
  EXPECT_EQ(config.AlternateDns, GetParam().Alternate);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NameServerSplit,
    ::testing::Values(
        NameServerCase{"Empty", "", true, "", ""},
        NameServerCase{"One", "10.0.0.53", false, "10.0.0.53", ""},
        NameServerCase{"Two", "10.0.0.53,10.0.0.54", false, "10.0.0.53", "10.0.0.54"},
        NameServerCase{"ThreeKeepTheRestWithItsComma", "1.1.1.1,2.2.2.2,3.3.3.3", false, "1.1.1.1",
                       "2.2.2.2,3.3.3.3"},
        NameServerCase{"BlankSeparatedIsOneText", "1.1.1.1 2.2.2.2", false, "1.1.1.1 2.2.2.2", ""},
        NameServerCase{"TrailingComma", "1.1.1.1,", false, "1.1.1.1", ""}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(IpConfigTest, TwoWinsServers) {
  StaticAdapter();
  Netbt()->Set("NameServerList", RegistryType::MultiString,
               EncodeMultiString({"10.0.0.7", "10.0.0.8", "10.0.0.9"}));
  const IpConfig config = Read();
  EXPECT_EQ(config.PrimaryWins, "10.0.0.7");
  EXPECT_EQ(config.SecondaryWins, "10.0.0.8");
}

TEST_F(IpConfigTest, OneWinsServerIsThePrimary) {
  StaticAdapter();
  Netbt()->Set("NameServerList", RegistryType::MultiString, EncodeMultiString({"10.0.0.7"}));
  const IpConfig config = Read();
  EXPECT_EQ(config.PrimaryWins, "10.0.0.7");
  EXPECT_EQ(config.SecondaryWins, "");
}

TEST_F(IpConfigTest, NoWinsServers) {
  StaticAdapter();
  Netbt()->Set("NameServerList", RegistryType::MultiString, EncodeMultiString({}));
  IpConfig config;
  config.PrimaryWins = "stale";
  config.SecondaryWins = "stale";
  ReadIpConfig(FRegistry, kGuid, config);
  EXPECT_EQ(config.PrimaryWins, "");
  EXPECT_EQ(config.SecondaryWins, "");
}

TEST_F(IpConfigTest, WinsIsReadUnderDhcpToo) {
  StaticAdapter();
  Tcpip()->Set("EnableDHCP", RegistryType::Dword, Dword(1));
  Netbt()->Set("NameServerList", RegistryType::MultiString, EncodeMultiString({"10.0.0.7"}));
  EXPECT_EQ(Read().PrimaryWins, "10.0.0.7");
}

TEST_F(IpConfigTest, MissingInterfaceKeyGivesTheEmptyRecord) {
  EXPECT_EQ(Read(), IpConfig{});
}

TEST_F(IpConfigTest, MissingEnableDhcpFailsToGetData) {
  Tcpip()->Set("NameServer", RegistryType::String, Sz(""));
  EXPECT_EQ(ReadError(), "Failed to get data for 'EnableDHCP'");
}

TEST_F(IpConfigTest, EnableDhcpOfAnotherTypeIsInvalid) {
  Tcpip()->Set("EnableDHCP", RegistryType::String, Sz("1"));
  EXPECT_EQ(ReadError(), "Invalid data type for 'EnableDHCP'");
}

TEST_F(IpConfigTest, OversizedAddressListEndsTheRead) {
  StaticAdapter();
  std::vector<std::string> many(30, "192.168.100.200"); // 16 bytes each
  Tcpip()->Set("IPAddress", RegistryType::MultiString, EncodeMultiString(many));
  EXPECT_EQ(ReadError(), "Invalid data type for 'IPAddress'");
}

class MultiStringTest : public IpConfigTest {
protected:
  void Put(std::uint32_t type, std::string data) {
    Tcpip()->Set("Value", type, std::move(data));
  }
  std::vector<std::string> Strings() {
    std::vector<std::string> list{"before"};
    ReadMultiString(FRegistry, TcpipPath(), "Value", list);
    list.erase(list.begin());
    return list;
  }
  std::string Error() {
    try {
      Strings();
    } catch (const QuorvinError& error) {
      return error.what();
    }
    return {};
  }
};

TEST_F(MultiStringTest, AppendsEachString) {
  Put(RegistryType::MultiString, EncodeMultiString({"a", "bb", "ccc"}));
  EXPECT_EQ(Strings(), (std::vector<std::string>{"a", "bb", "ccc"}));
}

TEST_F(MultiStringTest, StopsAtTheFirstEmptyString) {
  Put(RegistryType::MultiString, std::string("a\0\0b\0\0", 6));
  EXPECT_EQ(Strings(), std::vector<std::string>{"a"});
}

TEST_F(MultiStringTest, StopsAtTheEndOfTheData) {
  Put(RegistryType::MultiString, std::string("a\0b", 3));
  EXPECT_EQ(Strings(), (std::vector<std::string>{"a", "b"}));
}

TEST_F(MultiStringTest, MissingKeyOrValueGivesNoStrings) {
  Tcpip();
  EXPECT_TRUE(Strings().empty());
  std::vector<std::string> list;
  ReadMultiString(FRegistry, "SYSTEM\\Nowhere", "Value", list);
  EXPECT_TRUE(list.empty());
}

TEST_F(MultiStringTest, BinaryDataIsWalkedToo) {
  Put(RegistryType::Binary, std::string("x\0", 2));
  EXPECT_EQ(Strings(), std::vector<std::string>{"x"});
}

TEST_F(MultiStringTest, ExactlyTheBufferSizeIsRead) {
  std::string data(kMultiStringBufferSize - 2, 'a');
  data += std::string("\0\0", 2);
  Put(RegistryType::MultiString, data);
  EXPECT_EQ(Strings().at(0).size(), kMultiStringBufferSize - 2);
}

struct InvalidCase {
  const char* Name;
  std::uint32_t Type;
  std::string Data;
};

class MultiStringInvalid : public MultiStringTest,
                           public ::testing::WithParamInterface<InvalidCase> {};

TEST_P(MultiStringInvalid, RaisesInvalidDataType) {
  Put(GetParam().Type, GetParam().Data);
  EXPECT_EQ(Error(), "Invalid data type for 'Value'");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MultiStringInvalid,
    ::testing::Values(InvalidCase{"String", RegistryType::String, Sz("10.0.0.1")},
                      InvalidCase{"ExpandString", RegistryType::ExpandString, Sz("%X%")},
                      InvalidCase{"Dword", RegistryType::Dword, Dword(1)},
                      InvalidCase{"Qword", RegistryType::Qword, std::string(8, '\0')},
                      InvalidCase{"OneByteOverTheBuffer", RegistryType::MultiString,
                                  std::string(kMultiStringBufferSize + 1, 'a')}),
    [](const auto& info) { return std::string(info.param.Name); });

} // namespace
} // namespace quorvin::test

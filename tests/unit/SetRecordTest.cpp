#include "store/SetRecord.h"

#include "store/PortableProfileFile.h"
#include "store/Settings.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace quorvin {
namespace {

class SetRecordTest : public ::testing::Test {
protected:
  test::TempFolder FFolder;
  PortableProfileFile FFile{FFolder.File("data.ini")};
};

TEST_F(SetRecordTest, AMissingSectionGivesTheDefaults) {
  const TSetRecord set = LoadSet(FFile, 3);
  EXPECT_EQ(set.Caption, "SET4");
  EXPECT_EQ(set.NetworkAdapter, -1);
  EXPECT_FALSE(set.EnableIP || set.DnsServer || set.ProxyServer || set.ComputerName || set.Workgroup ||
               set.DefaultPrinter || set.DnsDomain || set.WinsServer);
  EXPECT_TRUE(set.UseIP);
  EXPECT_FALSE(set.AutoIP);
  EXPECT_TRUE(set.UseDnsServer);
  EXPECT_FALSE(set.AutoDnsServer);
  EXPECT_EQ(set.IP + set.SubnetMask + set.Gateway + set.PreferredDns + set.AlternateDns + set.ProxyAddress +
                set.ProxyPort + set.ComputerNameText + set.WorkgroupText + set.Printer + set.DnsDomainText +
                set.PrimaryWins + set.SecondaryWins + set.NetworkAdapterGuid,
            "");
}

TSetRecord Sample() {
  TSetRecord set;
  set.Caption = "Lab";
  set.NetworkAdapter = 2;
  set.EnableIP = true;
  set.AutoIP = true;
  set.UseIP = false;
  set.IP = "10.1.2.3";
  set.SubnetMask = "255.255.0.0";
  set.Gateway = "10.1.0.1";
  set.DnsServer = true;
  set.AutoDnsServer = false;
  set.UseDnsServer = true;
  set.PreferredDns = "10.1.0.2";
  set.AlternateDns = "";
  set.ProxyServer = true;
  set.UseProxyServer = true;
  set.ProxyAddress = "proxy.lab";
  set.ProxyPort = "8080x";
  set.ComputerName = true;
  set.ComputerNameText = "LAB-PC";
  set.Workgroup = true;
  set.WorkgroupText = "LAB";
  set.DefaultPrinter = true;
  set.Printer = "Printer on \\\\lab";
  set.DnsDomain = true;
  set.DnsDomainText = "lab.example";
  set.WinsServer = true;
  set.PrimaryWins = "10.1.0.3";
  set.SecondaryWins = "10.1.0.4";
  set.NetworkAdapterGuid = "{0C293A5B-7C00-4000-8000-000000000002}";
  return set;
}

// Sample's section as it was written before the adapter's GUID was kept.
constexpr const char* kSectionWithoutGuid =
    "[0]\r\nCaption=Lab\r\nNetworkAdapter=2\r\nEnableIP=1\r\nAutoIP=1\r\nUseIP=0\r\nIP=10.1.2.3\r\n"
    "SubnetMask=255.255.0.0\r\nGateway=10.1.0.1\r\nDnsServer=1\r\nAutoDnsServer=0\r\nUseDnsServer=1\r\n"
    "PreferredDns=10.1.0.2\r\nAlternateDns=\r\nProxyServer=1\r\nUseProxyServer=1\r\n"
    "ProxyAddress=proxy.lab\r\nProxyPort=8080x\r\nComputerName=1\r\nComputerNameText=LAB-PC\r\n"
    "Workgroup=1\r\nWorkgroupText=LAB\r\nDefaultPrinter=1\r\nPrinter=Printer on \\\\lab\r\n"
    "DnsDomain=1\r\nDnsDomainText=lab.example\r\nWinsServer=1\r\nPrimaryWins=10.1.0.3\r\n"
    "SecondaryWins=10.1.0.4\r\n";

TEST_F(SetRecordTest, SavesAllKeysInTableOrderAndLoadsThemBack) {
  const TSetRecord saved = Sample();
  SaveSet(FFile, 0, saved);
  EXPECT_EQ(test::ReadBytes(FFile.Path()),
            std::string(kSectionWithoutGuid) + "NetworkAdapterGuid={0C293A5B-7C00-4000-8000-000000000002}\r\n");
  EXPECT_EQ(LoadSet(FFile, 0), saved);
}

// A section written before the GUID was kept loads as it always did, with
// no GUID; its next save adds the key at the section's end, where a new
// section has it too.
TEST_F(SetRecordTest, ASectionWithoutTheGuidLoadsAsBeforeAndGainsItAtItsEnd) {
  test::WriteBytes(FFile.Path(), std::string(kSectionWithoutGuid) + "[1]\r\nCaption=Next\r\n");
  TSetRecord set = LoadSet(FFile, 0);
  TSetRecord expected = Sample();
  expected.NetworkAdapterGuid.clear();
  EXPECT_EQ(set, expected);
  set.NetworkAdapterGuid = "{0C293A5B-7C00-4000-8000-000000000002}";
  SaveSet(FFile, 0, set);
  EXPECT_EQ(test::ReadBytes(FFile.Path()), std::string(kSectionWithoutGuid) +
                                               "NetworkAdapterGuid={0C293A5B-7C00-4000-8000-000000000002}\r\n"
                                               "[1]\r\nCaption=Next\r\n");
}

TEST_F(SetRecordTest, TextsAreSavedAsOneLineAndAddNoKey) {
  TSetRecord set = Sample();
  set.ProxyAddress = "proxy\r\nEnableIP=1";
  set.Caption = "Two\nLines\r";
  set.EnableIP = false;
  SaveSet(FFile, 0, set);
  const TSetRecord loaded = LoadSet(FFile, 0);
  EXPECT_EQ(loaded.ProxyAddress, "proxyEnableIP=1");
  EXPECT_EQ(loaded.Caption, "TwoLines");
  EXPECT_FALSE(loaded.EnableIP);
}

TEST_F(SetRecordTest, SavingOverAPartialSectionCompletesIt) {
  test::WriteBytes(FFile.Path(), "[1]\r\nIP=1.2.3.4\r\nCaption=Old\r\n");
  TSetRecord set = LoadSet(FFile, 1);
  EXPECT_EQ(set.Caption, "Old");
  set.Caption = "New";
  SaveSet(FFile, 1, set);
  EXPECT_EQ(LoadSet(FFile, 1), set);
  EXPECT_EQ(FFile.ReadString("1", "SecondaryWins", "missing"), "");
}

struct ChoiceCase {
  const char* Name;
  const char* Section;
  bool AutoIP, UseIP, AutoDns, UseDns, AutoDnsAllowed;
};

TEST_F(SetRecordTest, LoadedChoicesEndAsTheWindowShowsThem) {
  const ChoiceCase cases[] = {
      {"BothAutomatic", "AutoIP=1\r\nUseIP=0\r\nAutoDnsServer=1\r\nUseDnsServer=0", true, false, true, false, true},
      {"BothIpChoicesOnUseWins", "AutoIP=1\r\nUseIP=1", false, true, false, true, false},
      {"FixedIpForcesFixedDns", "UseIP=1\r\nAutoDnsServer=1\r\nUseDnsServer=0", false, true, false, true, false},
      {"AutomaticIpFixedDns", "AutoIP=1\r\nUseIP=0\r\nAutoDnsServer=0\r\nUseDnsServer=1", true, false, false, true,
       true},
      {"NeitherIpChoice", "AutoIP=0\r\nUseIP=0\r\nAutoDnsServer=1\r\nUseDnsServer=0", false, false, true, false, true},
  };
  for (const ChoiceCase& c : cases) {
    SCOPED_TRACE(c.Name);
    test::WriteBytes(FFile.Path(), std::string("[0]\r\n") + c.Section + "\r\n");
    const TSetRecord set = LoadSet(FFile, 0);
    EXPECT_EQ(set.AutoIP, c.AutoIP);
    EXPECT_EQ(set.UseIP, c.UseIP);
    EXPECT_EQ(set.AutoDnsServer, c.AutoDns);
    EXPECT_EQ(set.UseDnsServer, c.UseDns);
    EXPECT_EQ(AutoDnsAllowed(set), c.AutoDnsAllowed);
  }
}

TEST_F(SetRecordTest, LoadingLeavesValuesUntested) {
  test::WriteBytes(FFile.Path(), "[0]\r\nIP=999.1.x\r\nProxyPort=eighty\r\nNetworkAdapter=9\r\n");
  const TSetRecord set = LoadSet(FFile, 0);
  EXPECT_EQ(set.IP, "999.1.x");
  EXPECT_EQ(set.ProxyPort, "eighty");
  EXPECT_EQ(set.NetworkAdapter, 9);
  EXPECT_EQ(ClampAdapterPosition(set.NetworkAdapter, 3), -1);
  EXPECT_EQ(ClampAdapterPosition(2, 3), 2);
  EXPECT_EQ(ClampAdapterPosition(-5, 3), -1);
}

TEST(SetSnapshot, EveryFieldCountsAndTheFirstDifferenceIsReported) {
  const TSetRecord base = Sample();
  TOptionsSetting options;
  TakeSetSnapshot(options, base);
  EXPECT_FALSE(IsSetModified(options, base));
  // Changing any one field is seen, and reported under its own key.
  for (const TSetField& field : kSetFields) {
    SCOPED_TRACE(std::string(field.Key));
    TSetRecord changed = base;
    std::visit(
        [&](auto member) {
          auto& value = changed.*member;
          using T = std::decay_t<decltype(value)>;
          if constexpr (std::is_same_v<T, bool>)
            value = !value;
          else if constexpr (std::is_same_v<T, std::string>)
            value += "x";
          else
            value += 1;
        },
        field.Member);
    EXPECT_TRUE(IsSetModified(options, changed));
    EXPECT_EQ(FirstDifference(base, changed), field.Key);
  }
}

TEST(SetSnapshot, TextsCompareExactly) {
  TSetRecord shown = Sample();
  TOptionsSetting options;
  TakeSetSnapshot(options, shown);
  shown.ComputerNameText += "Z";
  shown.ComputerNameText.pop_back();
  EXPECT_FALSE(IsSetModified(options, shown)) << "typing and deleting a character changes nothing";
  shown.Caption = "lab";
  EXPECT_EQ(FirstDifference(options.Snapshot, shown), "Caption");
  shown = options.Snapshot;
  shown.WorkgroupText += " ";
  EXPECT_EQ(FirstDifference(options.Snapshot, shown), "WorkgroupText");
  shown = options.Snapshot;
  shown.Printer = "";
  shown.PrimaryWins = "";
  EXPECT_EQ(FirstDifference(options.Snapshot, shown), "Printer") << "the first in table order";
}

TEST_F(SetRecordTest, AnUntouchedSetLoadsAsItsSnapshot) {
  SaveSet(FFile, 0, Sample());
  TOptionsSetting options;
  TakeSetSnapshot(options, LoadSet(FFile, 0));
  EXPECT_FALSE(IsSetModified(options, LoadSet(FFile, 0)));
}

} // namespace
} // namespace quorvin

#include "support/SimulatedNetworkSample.h"

#include "support/TempFolder.h"
#include "system/HostOperations.h"
#include "system/sim/InMemoryHost.h"
#include "system/sim/SimulatedHost.h"
#include "system/sim/SimulatedNetwork.h"

#include <gtest/gtest.h>

namespace quorvin::test {
namespace {

class SimulatedHostTest : public ::testing::Test {
protected:
  SimulatedHostTest() : FHost(FFolder.Path(), FBase) {
    WriteBytes(FFolder.File("network.ini"), kSampleNetworkIni);
  }
  SimulatedNetwork Network() const { return SimulatedNetwork(FFolder.Path()); }

  TempFolder FFolder;
  InMemoryHost FBase;
  SimulatedHost FHost;
};

TEST_F(SimulatedHostTest, NamesComeFromTheFile) {
  EXPECT_EQ(GetComputerNameText(FHost), "SIMHOST");
  EXPECT_EQ(GetWorkgroupName(FHost), "OFFICE");
  EXPECT_EQ(FHost.Printers(), (std::vector<std::string>{"Office Laser", "Label Printer"}));
  EXPECT_EQ(GetDefaultPrinter(FHost), "Office Laser");
}

TEST_F(SimulatedHostTest, NewNamesAreSavedAtOnce) {
  EXPECT_TRUE(SetHostName(FHost, "NEWNAME"));
  EXPECT_EQ(JoinWorkgroup(FHost, "LAB"), 0u);
  EXPECT_EQ(Network().Host.ComputerName, "NEWNAME");
  EXPECT_EQ(Network().Host.Workgroup, "LAB");
  EXPECT_EQ(GetComputerNameText(FHost), "NEWNAME");
  // The adapters stay as they were.
  EXPECT_EQ(Network().Adapters.size(), 2u);
}

TEST_F(SimulatedHostTest, ComputerNameReadsAsAtMostFifteenCharacters) {
  SetHostName(FHost, "ABCDEFGHIJKLMNOPQ");
  EXPECT_EQ(GetComputerNameText(FHost), "ABCDEFGHIJKLMNO");
}

TEST_F(SimulatedHostTest, DefaultPrinterIsSaved) {
  EXPECT_TRUE(MakeDefaultPrinter(FHost, "Label Printer"));
  EXPECT_EQ(Network().Host.DefaultDevice, "Label Printer,winspool,Ne01:");
  EXPECT_EQ(GetDefaultPrinter(FHost), "Label Printer");
  EXPECT_FALSE(MakeDefaultPrinter(FHost, "Unknown Printer"));
  EXPECT_EQ(GetDefaultPrinter(FHost), "Label Printer");
}

TEST_F(SimulatedHostTest, AccessRulesOfEveryPathAreTheFiles) {
  FBase.DefaultAccessRules = "D:P";
  const std::string rules = Network().Host.ProgramAccess;
  EXPECT_NE(rules, kAdministratorsOnlyAccess);
  for (const char* path : {"C:\\Program Files\\Quorvin\\Quorvin.exe", "C:\\Program Files\\Quorvin"})
    EXPECT_EQ(FHost.FileAccessRules(path), rules) << path;
}

TEST_F(SimulatedHostTest, OtherProfileStringsAndTheRestAreTheBaseHosts) {
  FHost.WriteProfileText("Windows", "Spooler", "yes");
  EXPECT_EQ(FBase.ReadProfileText("Windows", "Spooler", "", 254), "yes");
  EXPECT_EQ(FHost.ReadProfileText("Windows", "Spooler", "", 254), "yes");
  FBase.AcceptedProfileWrites = 0;
  EXPECT_FALSE(FHost.WriteProfileText("Windows", "Spooler", "no"));
  FBase.VersionValue = {kPlatformNt, 5, 2};
  EXPECT_EQ(FHost.Version().Minor, 2u);
  FBase.Tick = 1234;
  EXPECT_EQ(FHost.TickCount(), 1234u);
  FHost.SendInternetOption(39);
  EXPECT_EQ(FBase.Calls.back(), "SendInternetOption 39");
}

TEST_F(SimulatedHostTest, NewDevicesEntryAddsAPrinter) {
  FHost.WriteProfileText("Devices", "Plotter", "winspool,LPT1:");
  EXPECT_EQ(FHost.Printers().back(), "Plotter");
  EXPECT_TRUE(MakeDefaultPrinter(FHost, "Plotter"));
  EXPECT_EQ(Network().Host.DefaultDevice, "Plotter,winspool,LPT1:");
}

} // namespace
} // namespace quorvin::test

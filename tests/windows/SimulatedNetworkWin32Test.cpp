#include "support/SimulatedNetworkSample.h"

#include "support/TempFolder.h"
#include "system/AdapterList.h"
#include "system/HostOperations.h"
#include "system/IpConfig.h"
#include "system/SystemServices.h"
#include "system/sim/SimulatedNetwork.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace quorvin::test {
namespace {

constexpr char kWiredGuid[] = "{4D36E972-E325-11CE-BFC1-08002BE10318}";

// The simulation over the machine's own ports, as Quorvin runs it in
// simulation mode.
class SimulatedNetworkWin32Test : public ::testing::Test {
protected:
  SimulatedNetworkWin32Test() {
    WriteBytes(FFolder.File("network.ini"), kSampleNetworkIni);
    FServices = CreateSimulatedServices(FFolder.Path(), CreatePlatformServices());
  }
  TempFolder FFolder;
  std::unique_ptr<SystemServices> FServices;
};

TEST_F(SimulatedNetworkWin32Test, ListConnectionsReadsTheFile) {
  std::vector<std::string> list;
  ListConnections(FServices->Network(), list);
  ASSERT_EQ(list.size(), 8u);
  EXPECT_EQ(list[0], "Local Area Connection");
  EXPECT_EQ(list[2], "00:0C:29:3A:5B:7C");
  EXPECT_EQ(list[3], kWiredGuid);
  EXPECT_EQ(list[6], "00:1F:3B:0A:12:0C");
}

TEST_F(SimulatedNetworkWin32Test, ReadIpConfigSeesSavedChanges) {
  IpConfig config;
  ReadIpConfig(FServices->GetRegistry(), kWiredGuid, config);
  EXPECT_EQ(config.IPAddress, "192.168.1.10");
  EXPECT_EQ(config.AlternateDns, "8.8.8.8,8.8.4.4");
  EXPECT_EQ(config.SecondaryWins, "192.168.1.3");

  SimulatedNetwork network(FFolder.Path());
  network.FindByMac("00:0C:29:3A:5B:7C")->DhcpEnabled = true;
  network.Adapters[0].DnsServers.clear();
  network.Save();

  IpConfig after;
  ReadIpConfig(FServices->GetRegistry(), kWiredGuid, after);
  EXPECT_TRUE(after.DhcpEnabled);
  EXPECT_TRUE(after.AutoDns);
  EXPECT_EQ(after.IPAddress, "");
}

TEST_F(SimulatedNetworkWin32Test, HostNamesComeFromTheFile) {
  EXPECT_EQ(GetComputerNameText(FServices->Host()), "SIMHOST");
  EXPECT_EQ(GetWorkgroupName(FServices->Host()), "OFFICE");
}

TEST_F(SimulatedNetworkWin32Test, TheTickCountIsTheMachines) {
  // Read between two readings of the machine's own count, it lies between
  // them however long each step takes (unsigned differences survive a wrap).
  const DWORD before = GetTickCount();
  const std::uint32_t simulated = FServices->Host().TickCount();
  const DWORD after = GetTickCount();
  EXPECT_LE(simulated - before, after - before);
}

TEST_F(SimulatedNetworkWin32Test, OtherKeysAreTheMachines) {
  const std::string path = "Software\\Quorvin Tests\\Simulated " + std::to_string(GetCurrentProcessId());
  FServices->GetRegistry()
      .Open(RegistryRoot::CurrentUser, path, RegistryAccess::ReadWrite, true)
      ->WriteString("Text", "machine");
  char text[16] = {};
  DWORD size = sizeof text;
  EXPECT_EQ(RegGetValueA(HKEY_CURRENT_USER, path.c_str(), "Text", RRF_RT_REG_SZ, nullptr, text, &size),
            ERROR_SUCCESS);
  EXPECT_STREQ(text, "machine");
  RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str());
  RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Quorvin Tests");
}

} // namespace
} // namespace quorvin::test

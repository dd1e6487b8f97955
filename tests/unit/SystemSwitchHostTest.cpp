// The switch's host over the machine's services, in whole switches against
// the simulated network: the real adapter configuration, host settings and
// proxy rules over network.ini, and the proxy helper started from the
// program's folder.

#include "switching/SystemSwitchHost.h"
#include "switching/sim/SimulatedManagementService.h"
#include "system/sim/SimulatedNetwork.h"
#include "support/SimulatedLab.h"
#include "support/SwitchFakes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace quorvin {
namespace {

struct RecordingLauncher : ProcessLauncher {
  ProcessRun RunHidden(const std::string& commandLine) override {
    Lines.push_back(commandLine);
    return Run;
  }
  std::vector<std::string> Lines;
  ProcessRun Run{ProcessEnd::Exited, 0};
};

class SystemSwitchHostTest : public ::testing::Test {
protected:
  SystemSwitchHostTest() { test::WriteLabNetwork(FFolder.Path()); }

  test::FakeView Run(const TSetRecord& set) {
    auto system = CreateSimulatedServices(FFolder.Path(), CreatePlatformServices());
    SimulatedManagementService adapters(FFolder.Path());
    SystemSwitchHost host(*system, FLauncher);
    QueueDispatcher dispatcher;
    test::FakeView view;
    test::RunSwitch(test::LabInput(set), std::make_shared<SwitchSession>(&view), dispatcher, adapters, host);
    return view;
  }

  test::TempFolder FFolder;
  RecordingLauncher FLauncher;
};

TEST_F(SystemSwitchHostTest, AppliedValuesAreWhatTheNetworkHoldsAfterwards) {
  TSetRecord set;
  set.EnableIP = set.DnsServer = set.DnsDomain = set.WinsServer = set.ComputerName = set.Workgroup =
      set.DefaultPrinter = true;
  set.IP = "10.20.0.5";
  set.SubnetMask = "255.255.0.0";
  set.Gateway = "10.20.0.1";
  set.PreferredDns = "10.20.0.2";
  set.AlternateDns = "10.20.0.3";
  set.DnsDomain = true;
  set.DnsDomainText = "lab.example";
  set.PrimaryWins = "10.20.0.4";
  set.ComputerNameText = "LABPC";
  set.WorkgroupText = "LAB";
  set.Printer = "Lab Inkjet";
  const test::FakeView view = Run(set);
  EXPECT_EQ(view.DoneCount, 1);
  EXPECT_TRUE(view.Memo.empty()) << (view.Memo.empty() ? "" : view.Memo.front());

  SimulatedNetwork network(FFolder.Path());
  const SimulatedAdapter* adapter = network.FindByMac(test::kLabMac);
  ASSERT_NE(adapter, nullptr);
  EXPECT_FALSE(adapter->DhcpEnabled);
  EXPECT_EQ(adapter->IpAddresses, std::vector<std::string>{"10.20.0.5"});
  EXPECT_EQ(adapter->SubnetMasks, std::vector<std::string>{"255.255.0.0"});
  EXPECT_EQ(adapter->Gateways, std::vector<std::string>{"10.20.0.1"});
  EXPECT_EQ(adapter->DnsServers, (std::vector<std::string>{"10.20.0.2", "10.20.0.3"}));
  EXPECT_EQ(adapter->DnsDomain, "lab.example");
  EXPECT_EQ(adapter->PrimaryWins, "10.20.0.4");
  EXPECT_EQ(network.Host.ComputerName, "LABPC");
  EXPECT_EQ(network.Host.Workgroup, "LAB");
  EXPECT_EQ(network.Host.DefaultDevice.rfind("Lab Inkjet,", 0), 0u);
}

TEST_F(SystemSwitchHostTest, RefusedValuesAreListedAndLeaveTheNetworkAlone) {
  TSetRecord set;
  set.EnableIP = set.ComputerName = set.DefaultPrinter = true;
  set.IP = "10.20.0.300";
  set.Gateway = "10.20.0.1";
  set.ComputerNameText = "A-NAME-LONGER-THAN-19";
  set.Printer = "No Such Printer";
  const test::FakeView view = Run(set);
  EXPECT_EQ(view.Memo, (std::vector<std::string>{"The following settings are failed:", "",
                                                 "[ IP ]: Invalid IP address.", "",
                                                 "[ Computer Name ]: Failed!", "",
                                                 "[ Default Printer ]: Failed!", ""}));
  SimulatedNetwork network(FFolder.Path());
  EXPECT_TRUE(network.FindByMac(test::kLabMac)->DhcpEnabled);
  EXPECT_EQ(network.Host.ComputerName, "OLDNAME");
}

// An adapter that accepts the gateway and the DNS domain without putting
// them into effect: the read-back lists exactly those two items.
TEST_F(SystemSwitchHostTest, AcceptedButUnappliedItemsAreListedWithWhatTheAdapterReports) {
  test::WriteLabNetwork(FFolder.Path(), "NotApplied=SetGateways,SetDNSDomain\r\nDNSDomain=old.example\r\n");
  TSetRecord set;
  set.EnableIP = set.DnsServer = set.DnsDomain = set.WinsServer = true;
  set.IP = "10.20.0.5";
  set.SubnetMask = "255.255.0.0";
  set.Gateway = "10.20.0.1";
  set.PreferredDns = "10.20.0.2";
  set.DnsDomainText = "lab.example";
  set.PrimaryWins = "10.20.0.4";
  const test::FakeView view = Run(set);
  EXPECT_EQ(view.Memo, (std::vector<std::string>{
                           "The following settings are failed:", "",
                           "[ IP ]: Accepted, but the adapter reports 10.20.0.5 / 255.255.0.0", "",
                           "[ DNS Domain ]: Accepted, but the adapter reports old.example", ""}));
  EXPECT_TRUE(view.Failed);
}

TEST_F(SystemSwitchHostTest, ProxyHelperRunsFromTheProgramFolderWithQuotedValuesAndItsEndCounts) {
  TSetRecord set;
  set.ProxyServer = true;
  set.UseProxyServer = true;
  set.ProxyAddress = "";
  set.ProxyPort = "8080";
  Run(set);
  ASSERT_EQ(FLauncher.Lines.size(), 1u);
  const std::string& line = FLauncher.Lines[0];
  EXPECT_EQ(line.front(), '"');
  EXPECT_NE(line.find("Pevrix.exe\" -set \"\" \"8080\""), std::string::npos) << line;
  FLauncher.Run = {ProcessEnd::NotStarted};
  EXPECT_EQ(Run(set).Memo, (std::vector<std::string>{"The following settings are failed:", "",
                                                     "[ Proxy Server ]: Failed!", ""}));
  FLauncher.Run = {ProcessEnd::Exited, 1011};
  EXPECT_EQ(Run(set).Memo, (std::vector<std::string>{"The following settings are failed:", "",
                                                     "[ Proxy Server ]: Error code 1011", ""}));
}

} // namespace
} // namespace quorvin

#include "app/MainController.h"
#include "app/PageBinding.h"
#include "app/UndoRecord.h"

#include "base/Texts.h"
#include "store/FileIo.h"
#include "store/PortableProfileFile.h"
#include "store/SetNetwork.h"
#include "support/FakeMainView.h"
#include "support/FakeNetwork.h"
#include "support/RecordingShell.h"
#include "support/TempFolder.h"
#include "system/IpConfig.h"
#include "system/sim/InMemoryHost.h"
#include "system/sim/InMemoryRegistry.h"
#include "system/sim/InMemoryTaskScheduler.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

namespace quorvin::test {
namespace {

using P = PageControl;

std::string Guid(int k) { return "{0000000" + std::to_string(k) + "-0000-0000-0000-000000000000}"; }

// What each adapter (by GUID) sees.
class FakeIdentity final : public NetworkIdentity {
public:
  TNetworkSignature Seen(const std::string& adapterGuid) override { return Networks[adapterGuid]; }
  std::map<std::string, TNetworkSignature> Networks;
};

// The machine in memory: its parts stay reachable for the tests.
struct Machine {
  Machine() {
    auto registry = std::make_unique<InMemoryRegistry>();
    auto network = std::make_unique<FakeNetwork>();
    network->ConnectionList.emplace(); // listable, and no connection yet
    auto host = std::make_unique<InMemoryHost>();
    auto identity = std::make_unique<FakeIdentity>();
    Registry = registry.get();
    Network = network.get();
    Host = host.get();
    Identity = identity.get();
    System = std::make_unique<SystemServices>(std::move(registry), std::move(network), std::move(host),
                                              std::make_unique<InMemoryTaskScheduler>(), nullptr, std::move(identity));
  }
  InMemoryRegistry* Registry;
  FakeNetwork* Network;
  InMemoryHost* Host;
  FakeIdentity* Identity;
  std::unique_ptr<SystemServices> System;
};

class MainControllerTest : public ::testing::Test {
protected:
  MainControllerTest() {
    FHost->PrinterNames = {"Office Laser", "Lab Inkjet"};
    FHost->Profile[{"windows", "device"}] = "Lab Inkjet,winspool,Ne00:";
    AddAdapter("Local Area Connection", "Simulated Ethernet");
    FRunner.View = &FView;
  }

  void AddAdapter(const std::string& name, const std::string& device) {
    const auto k = static_cast<std::uint8_t>(FNetwork->ConnectionList->size());
    FNetwork->ConnectionList->push_back({name, device, Guid(k)});
    FNetwork->AdapterList.push_back({k, device, {0, 0x0C, 0x29, 0, 0, k}});
  }
  std::unique_ptr<RegistryKey> Interface(int k) {
    return FRegistry->Open(RegistryRoot::LocalMachine, std::string(kTcpipInterfacesPath) + Guid(k),
                           RegistryAccess::ReadWrite, true);
  }
  void Write(std::string_view bytes) { WriteBytes(FFolder.File("data.ini"), bytes); }
  std::string Bytes() { return ReadBytes(FFolder.File("data.ini")); }
  // Creation and first show, as the program runs them.
  void Start() {
    FController.FormCreate();
    FController.FormShow();
  }
  void ClickTab(int index) {
    FView.Selected = index;
    FController.tcSetsChange();
  }
  void Click(PageControl radio) {
    FView.Checked[radio] = true;
    FView.Checked[radio == P::rbAutoIP ? P::rbUseIP : radio == P::rbUseIP ? P::rbAutoIP
                  : radio == P::rbAutoDnsServer ? P::rbUseDnsServer : P::rbAutoDnsServer] = false;
    if (radio == P::rbAutoIP || radio == P::rbUseIP)
      FController.rbAutoIPClick();
    else
      FController.rbAutoDnsServerClick();
  }

  TempFolder FFolder;
  PortableProfileFile FFile{FFolder.File("data.ini")};
  Machine FMachine;
  InMemoryRegistry* FRegistry = FMachine.Registry;
  FakeNetwork* FNetwork = FMachine.Network;
  InMemoryHost* FHost = FMachine.Host;
  SystemServices* FSystem = FMachine.System.get();
  FakeMainView FView;
  FakeSwitchRunner FRunner;
  RecordingShell FShell;
  MainController FController{FView, FFile, *FSystem, FShell, FRunner, FFolder.Path() + "/"};
};

TEST_F(MainControllerTest, FirstStartOpensTheHelpPageAndShowsFiveDefaultSets) {
  Start();
  ASSERT_EQ(FShell.Opened.size(), 1u);
  EXPECT_EQ(FShell.Opened[0].second, LoadText(TextId::HelpPageAddress));
  EXPECT_EQ(FView.Tabs, (std::vector<std::string>{"SET1", "SET2", "SET3", "SET4", "SET5"}));
  EXPECT_EQ(FView.AdapterEntries, std::vector<std::string>{"Local Area Connection  (Simulated Ethernet)"});
  EXPECT_EQ(FView.PrinterList, FHost->PrinterNames);
  EXPECT_TRUE(FView.Checked[P::rbUseIP]);
  EXPECT_FALSE(FView.IsEnabled(P::rbAutoDnsServer));
  EXPECT_FALSE(FView.IsEnabled(P::eProxyAddress));
  EXPECT_EQ(FView.Adapter, -1);
}

TEST_F(MainControllerTest, AFailedFirstShowStillLoadsTheSetsAndWritesNothingLookedAt) {
  Write("[Options]\r\nTabCount=3\r\nDefaultTab=1\r\n[0]\r\nCaption=A\r\n[1]\r\nCaption=B\r\n"
        "NetworkAdapter=0\r\nEnableIP=1\r\nIP=10.1.1.1\r\n[2]\r\nCaption=C\r\n");
  FNetwork->AdaptersFail = true;
  FController.FormCreate();
  EXPECT_THROW(FController.FormShow(), QuorvinError);
  EXPECT_EQ(FView.Tabs, (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(FView.Selected, 1);
  EXPECT_EQ(FView.Texts[P::reIP], "10.1.1.1");
  ClickTab(2);
  FController.SaveOptions();
  FController.SaveShownSetIfModified();
  EXPECT_EQ(FFile.ReadString("Options", "TabCount", ""), "3");
  EXPECT_EQ(FFile.ReadString("1", "IP", ""), "10.1.1.1");
  EXPECT_EQ(FFile.ReadString("1", "Caption", ""), "B");
}

TEST_F(MainControllerTest, TabCountNamesAppendsOrDropsTabs) {
  struct Case {
    int Count;
    std::vector<std::string> Tabs;
  };
  const Case cases[] = {
      {3, {"a0", "a1", "a2"}},
      {7, {"a0", "a1", "a2", "a3", "a4", "a5", "a6"}},
  };
  for (const Case& c : cases) {
    std::string file = "[Options]\r\nTabCount=" + std::to_string(c.Count) + "\r\nDefaultTab=9\r\n";
    for (int i = 0; i < c.Count; ++i)
      file += "[" + std::to_string(i) + "]\r\nCaption=a" + std::to_string(i) + "\r\n";
    Write(file);
    FakeMainView view;
    MainController controller(view, FFile, *FSystem, FShell, FRunner, FFolder.Path());
    controller.FormCreate();
    controller.FormShow();
    EXPECT_EQ(view.Tabs, c.Tabs);
    EXPECT_EQ(view.Selected, c.Count - 1) << "DefaultTab beyond the sets shows the last";
    EXPECT_EQ(controller.CurrentSet(), c.Count - 1);
  }
}

TEST_F(MainControllerTest, FixedAddressForcesFixedDnsAndAutomaticAddressReleasesIt) {
  Start();
  Click(P::rbAutoIP);
  EXPECT_FALSE(FView.IsEnabled(P::reIP));
  EXPECT_FALSE(FView.IsEnabled(P::lGateway));
  EXPECT_TRUE(FView.IsEnabled(P::rbAutoDnsServer));
  Click(P::rbAutoDnsServer);
  EXPECT_FALSE(FView.IsEnabled(P::rePreferredDns));

  Click(P::rbUseIP);
  EXPECT_TRUE(FView.IsEnabled(P::reIP));
  EXPECT_TRUE(FView.Checked[P::rbUseDnsServer]);
  EXPECT_FALSE(FView.Checked[P::rbAutoDnsServer]);
  EXPECT_FALSE(FView.IsEnabled(P::rbAutoDnsServer));
  EXPECT_TRUE(FView.IsEnabled(P::reAlternateDns));

  Click(P::rbAutoIP);
  EXPECT_TRUE(FView.IsEnabled(P::rbAutoDnsServer));
  EXPECT_TRUE(FView.Checked[P::rbUseDnsServer]) << "the DNS choice stays";
}

TEST_F(MainControllerTest, ProxyBoxEnablesItsFields) {
  Start();
  FView.Checked[P::cbUseProxyServer] = true;
  FController.cbUseProxyServerClick();
  EXPECT_TRUE(FView.IsEnabled(P::eProxyPort));
  EXPECT_TRUE(FView.IsEnabled(P::lProxyAddress));
  FView.Checked[P::cbUseProxyServer] = false;
  FController.cbUseProxyServerClick();
  EXPECT_FALSE(FView.IsEnabled(P::eProxyAddress));
}

struct LoadCase {
  const char* Name;
  const char* Keys;
  bool AutoIP, UseIP, AutoDns, UseDns, AutoDnsEnabled, IpFieldsEnabled, DnsFieldsEnabled;
};

class LoadChoicesTest : public MainControllerTest, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(LoadChoicesTest, RadioButtonsAndEnablingFollowTheLoad) {
  Write(std::string("[0]\r\n") + GetParam().Keys);
  Start();
  EXPECT_EQ(FView.Checked[P::rbAutoIP], GetParam().AutoIP);
  EXPECT_EQ(FView.Checked[P::rbUseIP], GetParam().UseIP);
  EXPECT_EQ(FView.Checked[P::rbAutoDnsServer], GetParam().AutoDns);
  EXPECT_EQ(FView.Checked[P::rbUseDnsServer], GetParam().UseDns);
  EXPECT_EQ(FView.IsEnabled(P::rbAutoDnsServer), GetParam().AutoDnsEnabled);
  EXPECT_EQ(FView.IsEnabled(P::reSubnetMask), GetParam().IpFieldsEnabled);
  EXPECT_EQ(FView.IsEnabled(P::lPreferredDns), GetParam().DnsFieldsEnabled);
}

INSTANTIATE_TEST_SUITE_P(
    Sections, LoadChoicesTest,
    ::testing::Values(
        LoadCase{"NoKeys", "", false, true, false, true, false, true, true},
        LoadCase{"BothAutomatic", "AutoIP=1\r\nUseIP=0\r\nAutoDnsServer=1\r\nUseDnsServer=0\r\n", true, false,
                 true, false, true, false, false},
        LoadCase{"BothIpChoicesOn", "AutoIP=1\r\nUseIP=1\r\n", false, true, false, true, false, true, true},
        LoadCase{"FixedIpAutomaticDns", "UseIP=1\r\nAutoDnsServer=1\r\nUseDnsServer=0\r\n", false, true, false,
                 true, false, true, true}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(MainControllerTest, LookingAtSetsWritesNothingAndAChangeIsSavedWhenLeft) {
  Write("[0]\r\nCaption=Home\r\nNetworkAdapter=9\r\nIP=10.0.0.5\r\n[1]\r\nCaption=Office\r\n");
  Start();
  const std::string before = Bytes();
  EXPECT_EQ(FView.Adapter, -1) << "a position outside the list chooses nothing";
  ClickTab(1);
  ClickTab(0);
  EXPECT_EQ(Bytes(), before);

  FView.Texts[P::eComputerName] = "LABPC";
  ClickTab(1);
  EXPECT_NE(Bytes(), before);
  EXPECT_EQ(FFile.ReadString("0", "ComputerNameText", ""), "LABPC");
  EXPECT_EQ(FFile.ReadString("0", "NetworkAdapter", ""), "-1");
  EXPECT_EQ(FFile.ReadString("0", "IP", ""), "10.0.0.5");
  EXPECT_EQ(FController.CurrentSet(), 1);
  EXPECT_EQ(FView.Texts[P::eComputerName], "") << "set 1 is shown";
  EXPECT_EQ(FView.RedrawSuspended, 0);
}

constexpr const char* kUnknownGuid = "{99999999-0000-4000-8000-000000000009}";
constexpr const char* kLetterGuid = "{ABCDEF01-0000-4000-8000-0000000000AB}";

struct AdapterCase {
  const char* Name;
  std::string Keys; // of set 0
  int Chosen;       // the entry the load chooses
  std::string SavedGuid;
};

// Three adapters; the second one's GUID has letters.
class AdapterIdentityTest : public MainControllerTest, public ::testing::WithParamInterface<AdapterCase> {
protected:
  AdapterIdentityTest() {
    AddAdapter("Wireless", "Simulated Wi-Fi");
    AddAdapter("Bluetooth", "Simulated PAN");
    (*FNetwork->ConnectionList)[1].Guid = kLetterGuid;
  }
};

TEST_P(AdapterIdentityTest, ALoadedSetFindsItsAdapterAndOnlyAChangeWritesIt) {
  const AdapterCase& c = GetParam();
  Write("[0]\r\nCaption=Home\r\n" + c.Keys + "[1]\r\nCaption=Office\r\nNetworkAdapter=2\r\n");
  Start();
  EXPECT_EQ(FView.Adapter, c.Chosen);
  const std::string before = Bytes();
  ClickTab(1);
  EXPECT_EQ(FView.Adapter, 2);
  ClickTab(0);
  EXPECT_EQ(Bytes(), before) << "looking at the sets writes nothing";

  FView.Texts[P::eComputerName] = "LABPC";
  ClickTab(1);
  EXPECT_EQ(FFile.ReadString("0", "NetworkAdapter", ""), std::to_string(c.Chosen));
  EXPECT_EQ(FFile.ReadString("0", "NetworkAdapterGuid", "missing"), c.SavedGuid);
}

INSTANTIATE_TEST_SUITE_P(
    Sets, AdapterIdentityTest,
    ::testing::Values(
        AdapterCase{"GuidFoundAtAnotherPosition", "NetworkAdapter=0\r\nNetworkAdapterGuid=" + Guid(2) + "\r\n", 2,
                    Guid(2)},
        AdapterCase{"GuidInOtherLetterCaseKeepsItsSpelling",
                    "NetworkAdapter=2\r\nNetworkAdapterGuid={abcdef01-0000-4000-8000-0000000000ab}\r\n", 1,
                    "{abcdef01-0000-4000-8000-0000000000ab}"},
        AdapterCase{"OldFileTakesThePositionAndGainsItsGuidWhenSaved", "NetworkAdapter=1\r\n", 1, kLetterGuid},
        AdapterCase{"GuidAbsentFromTheListFallsBackOnThePositionAndIsKept",
                    std::string("NetworkAdapter=2\r\nNetworkAdapterGuid=") + kUnknownGuid + "\r\n", 2,
                    kUnknownGuid},
        AdapterCase{"GuidAbsentAndPositionOutsideChoosesNothing",
                    std::string("NetworkAdapter=7\r\nNetworkAdapterGuid=") + kUnknownGuid + "\r\n", -1,
                    kUnknownGuid},
        AdapterCase{"NoAdapterAtAll", "", -1, ""}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(MainControllerTest, AnotherChosenAdapterBringsItsGuidToTheSwitchAndTheFile) {
  AddAdapter("Wireless", "Simulated Wi-Fi");
  Write(std::string("[0]\r\nNetworkAdapter=0\r\nNetworkAdapterGuid=") + kUnknownGuid + "\r\n");
  Start();
  FView.Adapter = 1;
  FView.Checked[P::cbEnableIP] = true;
  FController.aActivateExecute();
  ASSERT_EQ(FRunner.Runs.size(), 1u);
  EXPECT_EQ(FRunner.Runs[0].AdapterGuid, Guid(1)) << "the settings are read back by the entry's GUID";
  EXPECT_EQ(FRunner.Runs[0].Set.NetworkAdapterGuid, Guid(1));
  ClickTab(1);
  EXPECT_EQ(FFile.ReadString("0", "NetworkAdapterGuid", ""), Guid(1));

  // A refresh leaves no entry chosen: the set then keeps no adapter.
  ClickTab(0);
  FController.bRefreshClick();
  ClickTab(1);
  EXPECT_EQ(FFile.ReadString("0", "NetworkAdapter", ""), "-1");
  EXPECT_EQ(FFile.ReadString("0", "NetworkAdapterGuid", "missing"), "");
}

TEST_F(MainControllerTest, SetPrinterStaysWhenTheListIsRefilledFromTheFirstEnumeration) {
  Write("[1]\r\nPrinter=Old Plotter\r\n");
  Start();
  FHost->PrinterNames = {"Added Later"};
  ClickTab(1);
  EXPECT_EQ(FView.Texts[P::cbPrinter], "Old Plotter");
  EXPECT_EQ(FView.PrinterList, (std::vector<std::string>{"Office Laser", "Lab Inkjet"}));
}

TEST_F(MainControllerTest, RefreshDropsTheChoiceAndActivateThenAsksForAnAdapter) {
  Start();
  FView.Adapter = 0;
  FView.Checked[P::cbEnableIP] = true;
  AddAdapter("Wireless", "Simulated Wi-Fi");
  FController.bRefreshClick();
  EXPECT_EQ(FView.AdapterEntries.size(), 2u);
  EXPECT_EQ(FView.AdapterEntries[1], "Wireless  (Simulated Wi-Fi)");
  EXPECT_EQ(FView.Adapter, -1);
  FController.aActivateExecute();
  EXPECT_EQ(FView.Messages, std::vector<std::string>{LoadText(TextId::NoAdapterChosen)});
  EXPECT_TRUE(FRunner.Runs.empty());
}

TEST_F(MainControllerTest, AdapterEntriesCountOnlyCompleteGroups) {
  const std::vector<std::string> list{"a", "b", "c", "d", "e", "f", "g"};
  EXPECT_EQ(AdapterEntries(list), std::vector<std::string>{"a  (b)"});
  EXPECT_TRUE(AdapterEntries({"a", "b", "c"}).empty());
  EXPECT_EQ(AdapterEntryAt(list, 0)->Mac, "c");
  EXPECT_EQ(AdapterGuidAt(list, 0), "d");
  for (std::int32_t outside : {-1, 1, 2})
    EXPECT_FALSE(AdapterEntryAt(list, outside)) << outside;
}

TEST_F(MainControllerTest, OpenedListIsAsWideAsTheWidestEntryPlusFiveButNeverNarrowerThanTheBox) {
  FNetwork->ConnectionList->clear();
  FNetwork->AdapterList.clear();
  AddAdapter("A", std::string(40, 'x'));
  AddAdapter("B", std::string(90, 'y'));
  AddAdapter("C", std::string(60, 'z'));
  Start();
  struct Case {
    int BoxWidth, Dpi, Expected;
  };
  // The widest entry is "B  (" + 90 + ")": 95 characters, one pixel each.
  for (const Case& c : {Case{100, 96, 100}, Case{50, 96, 100}, Case{50, 144, 102}}) {
    FView.BoxWidth = c.BoxWidth;
    FView.Dpi = c.Dpi;
    FController.cbNetworkAdapterDropDown();
    EXPECT_EQ(FView.ListWidth, c.Expected) << c.BoxWidth << " at " << c.Dpi;
  }
}

TEST_F(MainControllerTest, ActivateRefusesWithoutATickAndAppliesTheCorrectedFields) {
  Start();
  FView.Adapter = 0;
  FController.aActivateExecute();
  EXPECT_EQ(FView.Messages, std::vector<std::string>{LoadText(TextId::NoItemTicked)});

  FView.Checked[P::cbWinsServer] = true;
  FView.Texts[P::reIP] = "300.1.1.1";
  FView.Corrections[P::reIP] = "255.1.1.1";
  FController.aActivateExecute();
  ASSERT_EQ(FRunner.Runs.size(), 1u);
  const TSwitchInput& input = FRunner.Runs[0];
  EXPECT_EQ(input.Set.IP, "255.1.1.1");
  EXPECT_TRUE(input.Set.WinsServer);
  EXPECT_EQ(input.AdapterMac, "00:0C:29:00:00:00");
  EXPECT_EQ(input.ItemNames[7], FView.GetCaption(P::cbWinsServer));
  EXPECT_EQ(FView.Texts[P::reIP], "255.1.1.1") << "the field shows what is applied";
  EXPECT_FALSE(FRunner.RunOptions[0].CommandLineRun);
}

TEST_F(MainControllerTest, ActivateWaitsForAnEarlierSwitchWithTheWindowDisabledAndIgnoresASecondF5) {
  Start();
  FView.Adapter = 0;
  FView.Checked[P::cbEnableIP] = true;
  FRunner.Running = true;
  FRunner.DuringWait = [&] { FController.aActivateExecute(); };
  FController.aActivateExecute();
  EXPECT_TRUE(FRunner.BusyWhileWaiting);
  EXPECT_FALSE(FView.Waiting);
  EXPECT_EQ(FRunner.Runs.size(), 1u) << "the F5 pressed during the wait starts nothing";
}

TEST_F(MainControllerTest, ActivateTellsHowItEnded) {
  struct Case {
    const char* Name;
    int Adapter;
    bool Ticked;
    TActivateOutcome FromRunner;
    TActivateEnd End;
    std::vector<std::string> Lines;
  };
  const std::string noAdapter = LoadText(TextId::NoAdapterChosen);
  const std::string noTick = LoadText(TextId::NoItemTicked);
  const Case cases[] = {
      {"no adapter", -1, true, {}, TActivateEnd::Refused, {noAdapter}},
      {"no tick", 0, false, {}, TActivateEnd::Refused, {noTick}},
      {"applied", 0, true, {TActivateEnd::Applied, {}}, TActivateEnd::Applied, {}},
      {"failed", 0, true, {TActivateEnd::Failed, {"[ IP ]: Failed!"}}, TActivateEnd::Failed, {"[ IP ]: Failed!"}},
      {"stopped", 0, true, {TActivateEnd::Unfinished, {}}, TActivateEnd::Unfinished, {}},
  };
  Start();
  for (const Case& c : cases) {
    FView.Adapter = c.Adapter;
    FView.Checked[P::cbDnsDomain] = c.Ticked;
    FRunner.Outcome = c.FromRunner;
    const TActivateOutcome outcome = FController.aActivateExecute();
    EXPECT_EQ(outcome.End, c.End) << c.Name;
    EXPECT_EQ(outcome.Lines, c.Lines) << c.Name;
  }
  EXPECT_EQ(FView.Messages, (std::vector<std::string>{noAdapter, noTick}));
}

TEST_F(MainControllerTest, SetFromTheTrayIsSavedLeftAndTheChosenOneApplied) {
  Write("[0]\r\nCaption=Home\r\nNetworkAdapter=0\r\nEnableIP=1\r\nIP=10.0.0.5\r\n"
        "[1]\r\nCaption=Office\r\nNetworkAdapter=0\r\nWorkgroup=1\r\nWorkgroupText=OFFICE\r\n");
  Start();
  FView.Texts[P::eComputerName] = "EDITED";
  FRunner.Outcome = {TActivateEnd::Failed, {"[ Workgroup ]: Error code 5"}};
  const TActivateOutcome outcome = FController.ActivateSet(1);
  EXPECT_EQ(FFile.ReadString("0", "ComputerNameText", ""), "EDITED") << "the shown set is saved first";
  EXPECT_EQ(FView.Selected, 1);
  EXPECT_EQ(FController.CurrentSet(), 1);
  ASSERT_EQ(FRunner.Runs.size(), 1u);
  EXPECT_TRUE(FRunner.Runs[0].Set.Workgroup);
  EXPECT_EQ(FRunner.Runs[0].Set.WorkgroupText, "OFFICE");
  EXPECT_FALSE(FRunner.Runs[0].Set.EnableIP);
  EXPECT_FALSE(FRunner.RunOptions[0].CommandLineRun);
  EXPECT_FALSE(FRunner.RunOptions[0].AutoCloseDialog);
  EXPECT_EQ(outcome.End, TActivateEnd::Failed);

  // The shown set chosen again (by a second start, whose dialog closes by
  // itself): no reload, unsaved edits are applied.
  FView.Texts[P::eWorkgroup] = "UNSAVED";
  FController.ActivateSet(1, true);
  ASSERT_EQ(FRunner.Runs.size(), 2u);
  EXPECT_EQ(FRunner.Runs[1].Set.WorkgroupText, "UNSAVED");
  EXPECT_TRUE(FRunner.RunOptions[1].AutoCloseDialog);
  EXPECT_FALSE(FRunner.RunOptions[1].CommandLineRun);
}

TEST_F(MainControllerTest, SetFromTheTrayDoesNothingDuringAnActivationOrWhenGone) {
  Write("[0]\r\nCaption=Home\r\nNetworkAdapter=0\r\nEnableIP=1\r\n[1]\r\nCaption=Office\r\n");
  Start();
  FRunner.Running = true;
  bool activatingSeen = false;
  TActivateOutcome during{TActivateEnd::Applied, {}};
  FRunner.DuringWait = [&] {
    activatingSeen = FController.Activating();
    during = FController.ActivateSet(1);
    FController.aSetNetworkExecute();
  };
  FController.aActivateExecute();
  EXPECT_TRUE(activatingSeen);
  EXPECT_TRUE(FView.NetworkShown.empty()) << "no Network dialog behind the running activation";
  EXPECT_FALSE(FController.Activating());
  EXPECT_EQ(during.End, TActivateEnd::Unfinished);
  EXPECT_EQ(FView.Selected, 0) << "no tab change behind the running activation";
  EXPECT_EQ(FRunner.Runs.size(), 1u);
  for (int gone : {-1, 5, 9}) { // five tabs
    EXPECT_EQ(FController.ActivateSet(gone).End, TActivateEnd::Unfinished) << gone;
    EXPECT_EQ(FView.Selected, 0);
  }
  EXPECT_EQ(FRunner.Runs.size(), 1u);
  EXPECT_TRUE(FView.Messages.empty());
}

TEST_F(MainControllerTest, SetNetworkEditsTheShownSetsNetworkAndSavesItOnOkOnly) {
  Write("[0]\r\nCaption=Home\r\n[1]\r\nCaption=Office\r\nNetworkAdapter=0\r\nNetworkSsid=Office\r\n");
  Start();
  ClickTab(1);
  const TNetworkSignature seen{"00-1B-21-4C-7A-10", "10.0.0.1", "corp.example", ""};
  FMachine.Identity->Networks[Guid(0)] = seen;
  const std::string before = Bytes();
  FController.aSetNetworkExecute(); // Cancel
  EXPECT_EQ(Bytes(), before);
  EXPECT_EQ(FView.NetworkShown, (std::vector<TSetNetwork>{{{"", "", "", "Office"}, TAutoSwitch::Ask}}));

  const TSetNetwork entered{{"", "10.0.0.1", "", "Lab"}, TAutoSwitch::Apply};
  FView.NetworkAnswers = {entered};
  FView.Adapter = -1;
  FController.aSetNetworkExecute();
  EXPECT_EQ(FView.CurrentNetworks, (std::vector<std::optional<TNetworkSignature>>{seen, std::nullopt}))
      << "then no adapter chosen";
  EXPECT_EQ(LoadSetNetwork(FFile, 1), entered);
}

class LoadCurrentTest : public MainControllerTest {
protected:
  void SetUp() override {
    Start();
    FView.Adapter = 0;
    FView.AskAnswers = {true};
    auto key = Interface(0);
    key->WriteInteger("EnableDHCP", 0);
    key->Set("IPAddress", RegistryType::MultiString, EncodeMultiString({"192.168.7.20"}));
    key->Set("SubnetMask", RegistryType::MultiString, EncodeMultiString({"255.255.255.0"}));
    key->Set("DefaultGateway", RegistryType::MultiString, EncodeMultiString({"192.168.7.1"}));
    key->WriteString("NameServer", "192.168.7.2,192.168.7.3");
    key->WriteString("Domain", "lab.example");
    FHost->ComputerNameValue = "LABPC";
  }
};

TEST_F(LoadCurrentTest, FillsThePageAndLeavesTicksAdapterAndNameAlone) {
  Click(P::rbAutoIP);
  FView.Checked[P::cbDnsDomain] = true;
  FController.aLoadCurrentExecute();
  EXPECT_EQ(FView.Questions, std::vector<std::string>{LoadText(TextId::LoadQuestion)});
  EXPECT_TRUE(FView.Checked[P::rbUseIP]);
  EXPECT_FALSE(FView.IsEnabled(P::rbAutoDnsServer));
  EXPECT_EQ(FView.Texts[P::reIP], "192.168.7.20");
  EXPECT_EQ(FView.Texts[P::reGateway], "192.168.7.1");
  EXPECT_EQ(FView.Texts[P::rePreferredDns], "192.168.7.2");
  EXPECT_EQ(FView.Texts[P::reAlternateDns], "192.168.7.3");
  EXPECT_EQ(FView.Texts[P::eDnsDomain], "lab.example");
  EXPECT_EQ(FView.Texts[P::eComputerName], "LABPC");
  EXPECT_EQ(FView.Texts[P::eWorkgroup], "WORKGROUP");
  EXPECT_EQ(FView.Texts[P::cbPrinter], "Lab Inkjet");
  EXPECT_TRUE(FView.Checked[P::cbDnsDomain]);
  EXPECT_EQ(FView.Adapter, 0);
  EXPECT_EQ(FView.Tabs[0], "SET1");
  EXPECT_FALSE(FView.Busy);
  EXPECT_EQ(FView.RedrawSuspended, 0);
  EXPECT_TRUE(FView.Messages.empty());
  EXPECT_TRUE(FController.IsShownSetModified());
  EXPECT_FALSE(FFile.Exists()) << "Load Current saves nothing";
}

TEST_F(LoadCurrentTest, ASwitchIsRecordedBeforeItRunsAndUndoAppliesTheRecordOnce) {
  FController.Options().KeepQuestion = TKeepQuestion::Never;
  const std::string undoFile = FFolder.File("undo.ini");
  FView.Checked[P::cbEnableIP] = true;
  Click(P::rbAutoIP);
  FView.Checked[P::cbComputerName] = true;
  FView.Texts[P::eComputerName] = "NEWPC";
  std::optional<TSetRecord> record;
  FRunner.DuringRun = [&] {
    if (const auto undo = ParseUndoFile(ReadBytes(undoFile)))
      record = undo->Record;
    Interface(0)->WriteInteger("EnableDHCP", 1);
  };
  FController.aActivateExecute();
  ASSERT_TRUE(record) << "written before the switch ran";
  EXPECT_TRUE(record->EnableIP && record->UseIP && !record->AutoIP);
  EXPECT_EQ(record->IP + " " + record->SubnetMask + " " + record->Gateway, "192.168.7.20 255.255.255.0 192.168.7.1");
  EXPECT_TRUE(record->ComputerName);
  EXPECT_EQ(record->ComputerNameText, "LABPC");
  EXPECT_FALSE(record->DnsServer || record->DnsDomain || record->WinsServer || record->ProxyServer)
      << "only the ticked items";
  EXPECT_EQ(record->NetworkAdapterGuid, Guid(0));
  EXPECT_FALSE(FFile.Exists()) << "the sets' file holds no record";

  // The same set again changes nothing: the first record stays.
  const std::string first = ReadBytes(undoFile);
  FRunner.DuringRun = nullptr;
  FController.aActivateExecute();
  EXPECT_EQ(ReadBytes(undoFile), first);

  FController.UndoLastSwitch();
  ASSERT_EQ(FRunner.Runs.size(), 3u);
  EXPECT_EQ(FRunner.Runs[2].Set.IP, "192.168.7.20");
  EXPECT_EQ(FRunner.Runs[2].Set.ComputerNameText, "LABPC");
  EXPECT_EQ(FRunner.Runs[2].AdapterGuid, Guid(0));
  EXPECT_FALSE(FileExists(undoFile)) << "applied, so removed";
  EXPECT_FALSE(FController.CanUndo());
  EXPECT_EQ(FController.UndoLastSwitch().End, TActivateEnd::Refused);
  EXPECT_EQ(FView.Messages, std::vector<std::string>{LoadText(TextId::NothingToUndo)});
}

TEST_F(LoadCurrentTest, AnInteractiveSwitchThatChangedTheAdapterAsksToKeepItAsTheOptionSays) {
  const std::string undoFile = FFolder.File("undo.ini");
  FView.Checked[P::cbEnableIP] = true;
  Click(P::rbAutoIP);
  // The switch applies the address choice; the undo, the record's.
  FRunner.DuringRun = [&] { Interface(0)->WriteInteger("EnableDHCP", FRunner.Runs.back().Set.AutoIP ? 1 : 0); };
  bool openDuringQuestion = false;
  FView.DuringKeepQuestion = [&] { openDuringQuestion = ParseUndoFile(ReadBytes(undoFile))->QuestionOpen; };
  struct Case {
    const char* Name;
    TKeepQuestion Mode;
    bool HandedOver;
    std::optional<TKeepAnswer> Answer; // nothing: the time runs out
    bool Asked;
    bool Reverted;
  };
  const Case cases[] = {
      {"never", TKeepQuestion::Never, false, {}, false, false},
      {"a new set, kept", TKeepQuestion::WhenNewOrChanged, false, TKeepAnswer::Keep, true, false},
      {"the set as kept", TKeepQuestion::WhenNewOrChanged, false, {}, false, false},
      {"always, the time runs out", TKeepQuestion::Always, false, {}, true, true},
      {"always, handed over by a second start", TKeepQuestion::Always, true, {}, false, false},
  };
  for (const Case& c : cases) {
    Interface(0)->WriteInteger("EnableDHCP", 0);
    FController.Options().KeepQuestion = c.Mode;
    FView.KeepQuestions.clear();
    FView.KeepAnswers.clear();
    if (c.Answer)
      FView.KeepAnswers.push_back(*c.Answer);
    const std::size_t runs = FRunner.Runs.size();
    FController.ActivateSet(0, c.HandedOver);
    ASSERT_EQ(FView.KeepQuestions.size(), c.Asked ? 1u : 0u) << c.Name;
    if (c.Asked)
      EXPECT_EQ(FView.KeepQuestions[0].first, 20) << c.Name;
    EXPECT_EQ(FRunner.Runs.size() - runs, c.Reverted ? 2u : 1u) << c.Name;
    EXPECT_EQ(FileExists(undoFile), !c.Reverted) << c.Name;
    if (FileExists(undoFile))
      EXPECT_FALSE(ParseUndoFile(ReadBytes(undoFile))->QuestionOpen) << c.Name;
  }
  EXPECT_TRUE(openDuringQuestion);
}

TEST_F(LoadCurrentTest, AnUndoWhoseAdapterIsGoneOrThatFailsKeepsTheRecord) {
  TSetRecord record;
  record.WinsServer = true;
  for (const bool adapterThere : {false, true}) {
    record.NetworkAdapterGuid = adapterThere ? Guid(0) : Guid(7);
    WriteBytes(FFolder.File("undo.ini"), UndoFileBytes(record));
    FRunner.Outcome = {TActivateEnd::Failed, {"[ WINS Server ]: Failed!"}};
    const TActivateOutcome outcome = FController.UndoLastSwitch();
    EXPECT_EQ(outcome.End, adapterThere ? TActivateEnd::Failed : TActivateEnd::Refused);
    EXPECT_TRUE(FController.CanUndo());
  }
  EXPECT_EQ(FView.Messages, std::vector<std::string>{LoadText(TextId::UndoAdapterGone)});
}

TEST_F(LoadCurrentTest, AnUnansweredKeepQuestionIsOfferedOnceAtTheNextStart) {
  TSetRecord record;
  record.WinsServer = true;
  record.NetworkAdapterGuid = Guid(0);
  const std::string undoFile = FFolder.File("undo.ini");
  for (const bool revert : {false, true}) {
    WriteBytes(undoFile, UndoFileBytes(record, true));
    FView.YesNoAnswers = {revert};
    FController.OfferUnconfirmedRevert();
    FController.OfferUnconfirmedRevert();
    EXPECT_EQ(FRunner.Runs.size(), revert ? 1u : 0u);
    EXPECT_EQ(FileExists(undoFile), !revert) << "an undo that applied removes the record";
  }
  EXPECT_EQ(FView.Questions, std::vector<std::string>(2, LoadText(TextId::RevertUnconfirmed)));
}

TEST_F(LoadCurrentTest, DhcpAdapterChoosesBothAutomaticChoices) {
  Interface(0)->WriteInteger("EnableDHCP", 1);
  Interface(0)->WriteString("NameServer", "");
  FController.aLoadCurrentExecute();
  EXPECT_TRUE(FView.Checked[P::rbAutoIP]);
  EXPECT_TRUE(FView.Checked[P::rbAutoDnsServer]);
  EXPECT_FALSE(FView.IsEnabled(P::reIP));
  EXPECT_FALSE(FView.IsEnabled(P::rePreferredDns));
  EXPECT_EQ(FView.Texts[P::reIP], "");
}

TEST_F(LoadCurrentTest, NoAnswerOrNoAdapterLeavesThePage) {
  FView.AskAnswers = {false};
  FController.aLoadCurrentExecute();
  EXPECT_EQ(FView.Texts[P::reIP], "");
  FView.Adapter = -1;
  FController.aLoadCurrentExecute();
  EXPECT_EQ(FView.Messages, std::vector<std::string>{LoadText(TextId::NoAdapterChosen)});
  EXPECT_EQ(FView.Questions.size(), 1u);
}

TEST_F(LoadCurrentTest, DontAskAgainSkipsTheQuestionNextTime) {
  FView.DontAskAgain = true;
  FController.aLoadCurrentExecute();
  FView.Texts[P::reIP] = "";
  FController.aLoadCurrentExecute();
  EXPECT_EQ(FView.Questions.size(), 1u);
  EXPECT_EQ(FView.Texts[P::reIP], "192.168.7.20");
}

TEST_F(LoadCurrentTest, SystemProxyTicksTheBoxAndBecomesTheCaption) {
  FHost->Proxy = {kInternetOpenTypeProxy, "http=proxy.lab:8080;https=proxy.lab:8443", ""};
  FController.aLoadCurrentExecute();
  EXPECT_TRUE(FView.Checked[P::cbUseProxyServer]);
  EXPECT_TRUE(FView.IsEnabled(P::eProxyPort));
  EXPECT_EQ(FView.Texts[P::eProxyAddress], "proxy.lab");
  EXPECT_EQ(FView.Texts[P::eProxyPort], "8080");
  EXPECT_EQ(FView.Caption, "http=proxy.lab:8080;https=proxy.lab:8443");
}

TEST_F(LoadCurrentTest, NoHttpProxyClearsTheBoxAndKeepsItsTexts) {
  FView.Texts[P::eProxyAddress] = "old.proxy";
  SetUseProxy(FView, true);
  FHost->Proxy = {kInternetOpenTypeProxy, "ftp=files.lab:21;https=secure.lab:443", ""};
  FController.aLoadCurrentExecute();
  EXPECT_FALSE(FView.Checked[P::cbUseProxyServer]);
  EXPECT_FALSE(FView.IsEnabled(P::eProxyAddress));
  EXPECT_EQ(FView.Texts[P::eProxyAddress], "old.proxy");
}

TEST_F(LoadCurrentTest, DefaultPrinterIsAskedOnlyOnce) {
  FController.aLoadCurrentExecute();
  FHost->Profile[{"windows", "device"}] = "Office Laser,winspool,Ne00:";
  FView.AskAnswers = {true};
  FController.aLoadCurrentExecute();
  EXPECT_EQ(FView.Texts[P::cbPrinter], "Lab Inkjet");
}

TEST_F(LoadCurrentTest, FailureTellsWhatFailedAndRestoresCursorAndRedrawing) {
  Interface(0)->DeleteValue("EnableDHCP");
  FView.Texts[P::reIP] = "10.1.1.1";
  FController.aLoadCurrentExecute();
  ASSERT_EQ(FView.Messages.size(), 1u);
  EXPECT_EQ(FView.Messages[0], LoadText(TextId::LoadCurrentFailed) + "\r\nFailed to get data for 'EnableDHCP'");
  EXPECT_FALSE(FView.Busy);
  EXPECT_EQ(FView.RedrawSuspended, 0);
  EXPECT_EQ(FView.Texts[P::reIP], "10.1.1.1");
}

TEST_F(MainControllerTest, AddedSetKeepsItsEnteredNameAcrossSelectionAndRestart) {
  Start();
  FView.NameAnswers = {std::nullopt, std::string("Travel")};
  FController.aAddNewSetExecute();
  EXPECT_EQ(FView.Tabs.size(), 5u) << "Cancel adds nothing";
  FController.aAddNewSetExecute();
  EXPECT_EQ(FView.NameDialogs[1], std::make_pair(LoadText(TextId::NewSet), std::string("SET6")));
  EXPECT_EQ(FView.Tabs.back(), "Travel");
  EXPECT_EQ(FView.Selected, 0);
  FController.SaveOptions();

  FakeMainView restarted;
  MainController controller(restarted, FFile, *FSystem, FShell, FRunner, FFolder.Path());
  controller.FormCreate();
  controller.FormShow();
  EXPECT_EQ(restarted.Tabs.back(), "Travel");
  restarted.Selected = 5;
  controller.tcSetsChange();
  EXPECT_EQ(restarted.Tabs.back(), "Travel");
}

TEST_F(MainControllerTest, AddedSetStartsEmptyOverALeftOverSection) {
  Write("[5]\r\nCaption=Stale\r\nIP=10.9.9.9\r\n");
  Start();
  FView.NameAnswers = {std::string("Fresh")};
  FController.aAddNewSetExecute();
  ClickTab(5);
  EXPECT_EQ(FView.Tabs[5], "Fresh");
  EXPECT_EQ(FView.Texts[P::reIP], "");
}

TEST_F(MainControllerTest, RenameToEmptyIsStoredAtTheNextSave) {
  Start();
  FView.NameAnswers = {std::string()};
  FController.miRenameClick();
  EXPECT_EQ(FView.NameDialogs[0].first, LoadText(TextId::NewNameFor) + " \"SET1\"");
  EXPECT_EQ(FView.Tabs[0], "");
  EXPECT_FALSE(FFile.Exists());
  ClickTab(1);
  EXPECT_EQ(FFile.ReadString("0", "Caption", "missing"), "");
}

class DeleteTest : public MainControllerTest {
protected:
  void SetUp() override {
    std::string file = "[Options]\r\nTabCount=5\r\n";
    for (int i = 0; i < 5; ++i)
      file += "[" + std::to_string(i) + "]\r\nCaption=S" + std::to_string(i) + "\r\nIP=10.0.0." +
              std::to_string(i) + "\r\n";
    Write(file);
    Start();
  }
};

TEST_F(DeleteTest, MiddleSetRenumbersTheFileAndShowsTheNextSetAtItsPlace) {
  ClickTab(2);
  FView.YesNoAnswers = {true};
  FController.aDeleteSetExecute();
  EXPECT_EQ(FView.Questions, std::vector<std::string>{LoadText(TextId::DeleteQuestion)});
  EXPECT_EQ(FView.Tabs, (std::vector<std::string>{"S0", "S1", "S3", "S4"}));
  EXPECT_EQ(FView.Selected, 2);
  EXPECT_EQ(FController.CurrentSet(), 2);
  EXPECT_EQ(FView.Texts[P::reIP], "10.0.0.3");
  EXPECT_EQ(FFile.ReadString("2", "Caption", ""), "S3");
  EXPECT_EQ(FFile.ReadString("3", "Caption", ""), "S4");
  EXPECT_EQ(FFile.ReadString("4", "Caption", "gone"), "gone");
  EXPECT_FALSE(FController.IsShownSetModified());
}

TEST_F(DeleteTest, LastSetShowsTheFirst) {
  ClickTab(4);
  FView.YesNoAnswers = {true};
  FController.aDeleteSetExecute();
  EXPECT_EQ(FView.Tabs.size(), 4u);
  EXPECT_EQ(FView.Selected, 0);
  EXPECT_EQ(FController.CurrentSet(), 0);
  EXPECT_EQ(FView.Texts[P::reIP], "10.0.0.0");
  EXPECT_EQ(FFile.ReadString("4", "Caption", "gone"), "gone");
}

TEST_F(DeleteTest, ARefusedRewriteLeavesTheTabsAndThePage) {
  ClickTab(2);
  FView.Texts[P::reIP] = "10.9.9.9";
  const std::string before = Bytes();
  std::filesystem::permissions(FFolder.File("data.ini"), std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::remove);
  FView.YesNoAnswers = {true};
  EXPECT_THROW(FController.aDeleteSetExecute(), QuorvinError);
  EXPECT_EQ(FView.Tabs, (std::vector<std::string>{"S0", "S1", "S2", "S3", "S4"}));
  EXPECT_EQ(FView.Selected, 2);
  EXPECT_EQ(FController.CurrentSet(), 2);
  EXPECT_EQ(FView.Texts[P::reIP], "10.9.9.9") << "the set's edits are still there";
  EXPECT_EQ(Bytes(), before);
}

TEST_F(DeleteTest, NoAndTheLastPageLeaveTheFileAlone) {
  const std::string before = Bytes();
  FController.aDeleteSetExecute();
  EXPECT_EQ(FView.Tabs.size(), 5u);
  Write("[Options]\r\nTabCount=1\r\n");
  FakeMainView view;
  MainController controller(view, FFile, *FSystem, FShell, FRunner, FFolder.Path());
  controller.FormCreate();
  controller.FormShow();
  const std::string single = Bytes();
  view.YesNoAnswers = {true};
  controller.aDeleteSetExecute();
  EXPECT_EQ(view.Messages, std::vector<std::string>{LoadText(TextId::LastSetUndeletable)});
  EXPECT_EQ(Bytes(), single);
  EXPECT_NE(before, single);
}

TEST_F(MainControllerTest, LinksOpenOnlyWhatIsThere) {
  Start();
  FShell.Opened.clear();
  FController.aHelpExecute();
  FController.lUpdateClick();
  FController.Image2Click();
  // The help page beside the program (the shell port puts the folder before
  // a bare name); no address that leads nowhere.
  EXPECT_EQ(FShell.Opened, (std::vector<std::pair<std::string, std::string>>{{"Open", "help.html"}}));
  EXPECT_EQ(FView.AboutShown, 1) << "the logo shows who made the program";
}

TEST_F(MainControllerTest, SettingsFileNoticeOpensTheFolderOnlyOnYes) {
  Start();
  FShell.Opened.clear();
  FController.ShowSettingsfile1Click();
  const std::string folder = FFolder.Path() + "/";
  EXPECT_EQ(FView.Questions[0], folder + "data.ini\r\n\r\n" + LoadText(TextId::SettingsFileNote));
  EXPECT_TRUE(FShell.Opened.empty());
  FView.YesNoAnswers = {true};
  FController.ShowSettingsfile1Click();
  EXPECT_EQ(FShell.Opened, (std::vector<std::pair<std::string, std::string>>{{"Open", folder}}));
}

TEST_F(MainControllerTest, ACommandLineRunSavesNothingAtExit) {
  Write("[Options]\r\nTabCount=2\r\nDefaultTab=1\r\n[0]\r\nCaption=Home\r\n[1]\r\nCaption=Lab\r\n");
  const std::string before = Bytes();
  FController.FormCreate();
  FController.FormShow("/home");
  EXPECT_TRUE(FController.CommandLineRun());
  FView.Texts[P::eWorkgroup] = "CHANGED";
  FController.SaveAtExit();
  EXPECT_EQ(Bytes(), before);
}

TEST_F(MainControllerTest, ExitSavesOptionsAndOnlyAChangedSet) {
  Write("[Options]\r\nTabCount=5\r\n[0]\r\nCaption=Home\r\n");
  Start();
  ClickTab(3);
  FController.SaveAtExit();
  EXPECT_EQ(FFile.ReadString("Options", "DefaultTab", ""), "3");
  EXPECT_EQ(FFile.ReadString("3", "Caption", "none"), "none");
  FView.Checked[P::cbWorkgroup] = true;
  FController.SaveShownSetIfModified();
  EXPECT_EQ(FFile.ReadString("3", "Workgroup", ""), "1");
}

} // namespace
} // namespace quorvin::test

#include "app/win32/TfrmMain.h"

#include "app/win32/resource.h"
#include "base/Texts.h"
#include "store/win32/Win32ProfileFile.h"
#include "support/FakeMainView.h"
#include "support/RecordingShell.h"
#include "support/SimulatedLab.h"
#include "support/TempFolder.h"
#include "support/win32/ThreadWindowTimer.h"
#include "system/sim/SimulatedNetwork.h"
#include "widgets/win32/RIPEdit.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace quorvin::test {
namespace {

std::string Text(HWND window) {
  char buffer[512] = {};
  return std::string(buffer, static_cast<std::size_t>(::GetWindowTextA(window, buffer, sizeof buffer)));
}

// A message box as the test saw it, answered with one button.
struct SeenBox {
  std::string Caption;
  std::string Text;
  LRESULT DefaultButton = 0;
  bool HasQuestionButtons = false;
};

// Answers the message boxes that an action opens, from within their own
// modal loop: a question with the answer given, any other box with OK.
class BoxAnswerer {
public:
  explicit BoxAnswerer(int answer) : FAnswer(answer) {}
  std::vector<SeenBox> Seen;

private:
  static bool IsMessageBox(HWND window) {
    char className[32] = {};
    ::GetClassNameA(window, className, sizeof className);
    return std::string(className) == "#32770" && ::IsWindowVisible(window) && ::GetDlgItem(window, 0xFFFF);
  }
  void Answer(HWND window) {
    SeenBox box;
    box.Caption = Text(window);
    box.Text = Text(::GetDlgItem(window, 0xFFFF));
    for (int id : {IDOK, IDYES, IDNO})
      if (HWND button = ::GetDlgItem(window, id); button && (::GetWindowLongA(button, GWL_STYLE) & 0xF) == BS_DEFPUSHBUTTON)
        box.DefaultButton = id;
    box.HasQuestionButtons = ::GetDlgItem(window, IDYES) && ::GetDlgItem(window, IDNO);
    Seen.push_back(box);
    const int answer = box.HasQuestionButtons ? FAnswer : IDOK;
    ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
  }

  int FAnswer;
  ThreadWindowTimer FTimer{IsMessageBox, [this](HWND window) { Answer(window); }};
};

class TfrmMainWin32Test : public ::testing::Test {
protected:
  void SetUp() override {
    WriteLabNetwork(FFolder.Path());
    FSystem = CreateSimulatedServices(FFolder.Path(), CreatePlatformServices());
  }
  void TearDown() override {
    FForm.reset();
    Pump();
  }

  void Start(std::string_view dataIni) {
    WriteBytes(DataPath(), dataIni);
    FForm = std::make_unique<TfrmMain>(FFile, *FSystem, FShell, FRunner, FFolder.Path() + "\\");
    FForm->Create(nullptr);
    FForm->FormShow();
  }
  std::string DataPath() const { return FFolder.File("data.ini"); }
  HWND Item(int id) const { return ::GetDlgItem(FForm->Handle(), id); }
  bool Checked(int id) const { return ::SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
  bool Enabled(int id) const { return ::IsWindowEnabled(Item(id)) != FALSE; }
  void Command(int id) { ::SendMessageA(FForm->Handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }
  int SelectedTab() const { return static_cast<int>(::SendMessageA(Item(IDC_TCSETS), TCM_GETCURSEL, 0, 0)); }
  int TabCount() const { return static_cast<int>(::SendMessageA(Item(IDC_TCSETS), TCM_GETITEMCOUNT, 0, 0)); }
  std::string TabCaption(int index) const {
    char buffer[256] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = buffer;
    item.cchTextMax = sizeof buffer;
    ::SendMessageA(Item(IDC_TCSETS), TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return buffer;
  }
  // A click on the tab, as the user does it: the tab control changes the
  // selection and tells the window.
  void ClickTab(int index) {
    RECT place{};
    ::SendMessageA(Item(IDC_TCSETS), TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&place));
    const LPARAM point = MAKELPARAM((place.left + place.right) / 2, (place.top + place.bottom) / 2);
    ::SendMessageA(Item(IDC_TCSETS), WM_LBUTTONDOWN, MK_LBUTTON, point);
    ::SendMessageA(Item(IDC_TCSETS), WM_LBUTTONUP, 0, point);
    Pump();
  }
  void ChooseAdapter(int index) {
    ::SendMessageA(Item(IDC_CBNETWORKADAPTER), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }
  void Pump() {
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (FForm && FForm->PreTranslateMessage(message))
        continue;
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
  }

  TempFolder FFolder;
  Win32ProfileFile FFile{FFolder.File("data.ini")};
  std::unique_ptr<SystemServices> FSystem;
  FakeSwitchRunner FRunner;
  RecordingShell FShell;
  std::unique_ptr<TfrmMain> FForm;
};

TEST_F(TfrmMainWin32Test, TemplateGivesTheFixedClassTheDesignSizeAndFiveTabs) {
  Start("");
  char className[64] = {};
  ::GetClassNameA(FForm->Handle(), className, sizeof className);
  EXPECT_STREQ(className, kMainWindowClass);
  EXPECT_EQ(::FindWindowA(kMainWindowClass, nullptr), FForm->Handle());
  // 639 by 424 pixels in the units of the template's font at 96 DPI
  // (6 by 13 pixels); whatever font the system gives, the design scales.
  RECT client{};
  ::GetClientRect(FForm->Handle(), &client);
  RECT units{0, 0, 4, 8};
  ::MapDialogRect(FForm->Handle(), &units);
  EXPECT_NEAR(client.right, 639 * units.right / 6, 2);
  EXPECT_NEAR(client.bottom, 424 * units.bottom / 13, 2);
  const LONG_PTR style = ::GetWindowLongPtrA(FForm->Handle(), GWL_STYLE);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & (WS_MAXIMIZEBOX | WS_THICKFRAME));
  EXPECT_FALSE(::IsWindowVisible(FForm->Handle())) << "creation and first show leave the window hidden";
  EXPECT_EQ(Text(FForm->Handle()), LoadText(TextId::ProductCaption));
  EXPECT_EQ(TabCount(), 5);
  EXPECT_EQ(TabCaption(4), "SET5");
  EXPECT_EQ(::SendMessageA(Item(IDC_CBNETWORKADAPTER), CB_GETCOUNT, 0, 0), 1);
  EXPECT_FALSE(Enabled(IDC_EPROXYADDRESS));
  EXPECT_FALSE(Enabled(IDC_RBAUTODNSSERVER));
}

struct Placed {
  HWND Window;
  RECT Place;
};

BOOL CALLBACK CollectChild(HWND child, LPARAM list) {
  if (::GetParent(child) != ::GetParent(reinterpret_cast<std::vector<Placed>*>(list)->front().Window))
    return TRUE;
  char className[32] = {};
  ::GetClassNameA(child, className, sizeof className);
  const LONG style = ::GetWindowLongA(child, GWL_STYLE);
  const bool container = std::string(className) == "SysTabControl32" ||
                         (std::string(className) == "Button" && (style & 0xF) == BS_GROUPBOX);
  if (!container && ::GetDlgCtrlID(child) != 0) {
    RECT place{};
    ::GetWindowRect(child, &place);
    reinterpret_cast<std::vector<Placed>*>(list)->push_back({child, place});
  }
  return TRUE;
}

TEST_F(TfrmMainWin32Test, ControlsLieInsideTheWindowWithoutOverlapAndTheirTextsFit) {
  Start("");
  std::vector<Placed> controls{{Item(IDC_TCSETS), {}}};
  ::EnumChildWindows(FForm->Handle(), CollectChild, reinterpret_cast<LPARAM>(&controls));
  controls.erase(controls.begin());
  ASSERT_GT(controls.size(), 40u);
  RECT client{};
  ::GetClientRect(FForm->Handle(), &client);
  ::MapWindowPoints(FForm->Handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
  const int box = ::GetSystemMetrics(SM_CXMENUCHECK) + 4; // a tick box's square and its gap
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const Placed& a = controls[i];
    const int id = ::GetDlgCtrlID(a.Window);
    RECT inside{};
    ::IntersectRect(&inside, &a.Place, &client);
    EXPECT_TRUE(::EqualRect(&inside, &a.Place)) << "control " << id << " reaches outside the window";
    for (std::size_t j = i + 1; j < controls.size(); ++j) {
      RECT both{};
      EXPECT_FALSE(::IntersectRect(&both, &a.Place, &controls[j].Place))
          << "controls " << id << " and " << ::GetDlgCtrlID(controls[j].Window) << " overlap";
    }
    char className[32] = {};
    ::GetClassNameA(a.Window, className, sizeof className);
    const LONG kind = ::GetWindowLongA(a.Window, GWL_STYLE) & 0xF;
    const bool tickBox = std::string(className) == "Button" && kind != BS_PUSHBUTTON && kind != BS_DEFPUSHBUTTON;
    const bool label = std::string(className) == "Static" && kind == SS_LEFT;
    if (!tickBox && !label && std::string(className) != "Button")
      continue;
    const std::string text = Text(a.Window);
    HDC dc = ::GetDC(a.Window);
    HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageA(a.Window, WM_GETFONT, 0, 0)));
    SIZE extent{};
    ::GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    ::SelectObject(dc, old);
    ::ReleaseDC(a.Window, dc);
    EXPECT_LE(extent.cx + (tickBox ? box : 0), a.Place.right - a.Place.left) << "the text of " << text << " is cut";
  }
}

TEST_F(TfrmMainWin32Test, FixedAddressChoiceCouplesTheDnsChoice) {
  Start("");
  ::SendMessageA(Item(IDC_RBAUTOIP), BM_CLICK, 0, 0);
  EXPECT_TRUE(Checked(IDC_RBAUTOIP));
  EXPECT_FALSE(Checked(IDC_RBUSEIP));
  EXPECT_FALSE(Enabled(IDC_REIP));
  EXPECT_FALSE(Enabled(IDC_LGATEWAY));
  EXPECT_TRUE(Enabled(IDC_RBAUTODNSSERVER));
  ::SendMessageA(Item(IDC_RBAUTODNSSERVER), BM_CLICK, 0, 0);
  EXPECT_FALSE(Enabled(IDC_REPREFERREDDNS));

  ::SendMessageA(Item(IDC_RBUSEIP), BM_CLICK, 0, 0);
  EXPECT_TRUE(Enabled(IDC_RESUBNETMASK));
  EXPECT_TRUE(Checked(IDC_RBUSEDNSSERVER));
  EXPECT_FALSE(Checked(IDC_RBAUTODNSSERVER));
  EXPECT_FALSE(Enabled(IDC_RBAUTODNSSERVER));
  EXPECT_TRUE(Enabled(IDC_REALTERNATEDNS));

  ::SendMessageA(Item(IDC_CBUSEPROXYSERVER), BM_CLICK, 0, 0);
  EXPECT_TRUE(Enabled(IDC_EPROXYPORT));
  EXPECT_TRUE(Enabled(IDC_LPROXYADDRESS));
}

TEST_F(TfrmMainWin32Test, TabChangeWritesTheFileOnlyWhenTheSetChanged) {
  // An address that the IP edit shows completed: the snapshot is of what
  // the window shows, so looking at the set does not rewrite it.
  Start("[Options]\r\nTabCount=2\r\n[0]\r\nCaption=Home\r\nIP=10.1\r\nNetworkAdapter=0\r\n"
        "[1]\r\nCaption=Office\r\nEnableIP=1\r\n");
  const std::string before = ReadBytes(DataPath());
  ClickTab(1);
  EXPECT_EQ(SelectedTab(), 1);
  EXPECT_TRUE(Checked(IDC_CBENABLEIP));
  ClickTab(0);
  EXPECT_EQ(Text(Item(IDC_REIP)), "10.1.0.0");
  EXPECT_EQ(::SendMessageA(Item(IDC_CBNETWORKADAPTER), CB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(ReadBytes(DataPath()), before);

  ::SetWindowTextA(Item(IDC_EWORKGROUP), "LAB");
  ClickTab(1);
  EXPECT_NE(ReadBytes(DataPath()), before);
  EXPECT_EQ(FFile.ReadString("0", "WorkgroupText", ""), "LAB");
  EXPECT_EQ(FFile.ReadString("0", "IP", ""), "10.1.0.0");
  EXPECT_EQ(Text(Item(IDC_EWORKGROUP)), "");
}

TEST_F(TfrmMainWin32Test, DeleteAsksWithNoAsDefaultAndRenumbersTheFile) {
  Start("[Options]\r\nTabCount=3\r\n[0]\r\nCaption=A\r\n[1]\r\nCaption=B\r\n[2]\r\nCaption=C\r\nIP=10.0.0.3\r\n");
  ClickTab(1);
  {
    BoxAnswerer answerer(IDNO);
    Command(IDM_DELETESET);
    ASSERT_EQ(answerer.Seen.size(), 1u);
    EXPECT_EQ(answerer.Seen[0].Caption, LoadText(TextId::ProductCaption));
    EXPECT_EQ(answerer.Seen[0].Text, LoadText(TextId::DeleteQuestion));
    EXPECT_EQ(answerer.Seen[0].DefaultButton, IDNO);
  }
  EXPECT_EQ(TabCount(), 3);
  {
    BoxAnswerer answerer(IDYES);
    Command(IDM_DELETESET);
  }
  EXPECT_EQ(TabCount(), 2);
  EXPECT_EQ(TabCaption(1), "C");
  EXPECT_EQ(SelectedTab(), 1);
  EXPECT_EQ(Text(Item(IDC_REIP)), "10.0.0.3");
  const std::string bytes = ReadBytes(DataPath());
  EXPECT_NE(bytes.find("[1]\r\nCaption=C"), std::string::npos) << bytes;
  EXPECT_EQ(bytes.find("[2]"), std::string::npos) << bytes;
  EXPECT_EQ(bytes.find("Caption=B"), std::string::npos) << bytes;
}

TEST_F(TfrmMainWin32Test, ActivateNamesTheMissingAdapterThenTheMissingTick) {
  Start("");
  std::vector<SeenBox> seen;
  {
    BoxAnswerer answerer(IDOK);
    Command(IDM_ACTIVATE);
    ChooseAdapter(0);
    Command(IDC_BACTIVATE);
    seen = answerer.Seen;
  }
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].Text, LoadText(TextId::NoAdapterChosen));
  EXPECT_EQ(seen[1].Text, LoadText(TextId::NoItemTicked));
  EXPECT_EQ(seen[1].Caption, LoadText(TextId::ProductCaption));
  EXPECT_FALSE(seen[1].HasQuestionButtons);
  EXPECT_TRUE(FRunner.Runs.empty());
}

TEST_F(TfrmMainWin32Test, LoadCurrentFillsThePageFromTheSimulatedNetwork) {
  {
    SimulatedNetwork network(FFolder.Path());
    SimulatedAdapter& adapter = network.Adapters.at(0);
    adapter.DhcpEnabled = false;
    adapter.IpAddresses = {"192.168.7.20"};
    adapter.SubnetMasks = {"255.255.255.0"};
    adapter.Gateways = {"192.168.7.1"};
    adapter.DnsServers = {"192.168.7.2", "192.168.7.3"};
    adapter.DnsDomain = "lab.example";
    adapter.PrimaryWins = "192.168.7.4";
    network.Save();
  }
  Start("[Options]\r\nAskBeforeLoad=0\r\n[0]\r\nAutoIP=1\r\nUseIP=0\r\n");
  const std::string before = ReadBytes(DataPath());
  EXPECT_TRUE(Checked(IDC_RBAUTOIP));
  ChooseAdapter(0);
  Command(IDM_LOADCURRENT);
  EXPECT_TRUE(Checked(IDC_RBUSEIP));
  EXPECT_FALSE(Enabled(IDC_RBAUTODNSSERVER));
  EXPECT_EQ(Text(Item(IDC_REIP)), "192.168.7.20");
  EXPECT_EQ(Text(Item(IDC_RESUBNETMASK)), "255.255.255.0");
  EXPECT_EQ(Text(Item(IDC_REGATEWAY)), "192.168.7.1");
  EXPECT_EQ(Text(Item(IDC_REPREFERREDDNS)), "192.168.7.2");
  EXPECT_EQ(Text(Item(IDC_REALTERNATEDNS)), "192.168.7.3");
  EXPECT_EQ(Text(Item(IDC_EDNSDOMAIN)), "lab.example");
  EXPECT_EQ(Text(Item(IDC_REPRIMARYWINS)), "192.168.7.4");
  EXPECT_EQ(Text(Item(IDC_ECOMPUTERNAME)), "OLDNAME");
  EXPECT_EQ(Text(Item(IDC_EWORKGROUP)), "WORKGROUP");
  EXPECT_EQ(Text(Item(IDC_CBPRINTER)), "Office Laser");
  EXPECT_EQ(::SendMessageA(Item(IDC_CBPRINTER), CB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(ReadBytes(DataPath()), before) << "Load Current saves nothing";
}

TEST_F(TfrmMainWin32Test, F5FromAnIpFieldAppliesTheCorrectedAddress) {
  Start("[0]\r\nIP=0.1.1.1\r\nDnsDomain=1\r\nNetworkAdapter=0\r\n");
  ::ShowWindow(FForm->Handle(), SW_SHOW);
  ::SetForegroundWindow(FForm->Handle());
  Pump();
  HWND field = TRIPEdit::FromWindow(Item(IDC_REIP))->FieldHandle(1);
  ::SetFocus(field);
  Pump();
  ASSERT_EQ(::GetFocus(), field) << "the window must be able to take the focus";
  ::SendMessageA(field, EM_SETSEL, 0, -1);
  for (char digit : std::string("300"))
    ::PostMessageA(field, WM_CHAR, static_cast<WPARAM>(digit), 1);
  Pump();
  ASSERT_EQ(Text(Item(IDC_REIP)), "300.1.1.1");
  ::PostMessageA(field, WM_KEYDOWN, VK_F5, 1);
  Pump();
  ASSERT_EQ(FRunner.Runs.size(), 1u);
  EXPECT_EQ(FRunner.Runs[0].Set.IP, "255.1.1.1");
  EXPECT_EQ(FRunner.Runs[0].AdapterMac, kLabMac);
  EXPECT_EQ(FRunner.Runs[0].ItemNames[6], "DNS Domain");
  EXPECT_EQ(Text(Item(IDC_REIP)), "255.1.1.1");
  ::ShowWindow(FForm->Handle(), SW_HIDE);
}

} // namespace
} // namespace quorvin::test

#include "app/win32/NetworkChangeWatch.h"
#include "system/AdapterList.h"
#include "system/win32/Win32NetworkIdentity.h"
#include "system/win32/Win32NetworkInfo.h"
#include "support/TempFolder.h"
#include "support/win32/RunsUnderWine.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>

#include <map>

namespace quorvin::test {
namespace {

// COM as the main window initialises it on the user-interface thread.
class Win32NetworkInfoWin32Test : public ::testing::Test {
protected:
  Win32NetworkInfoWin32Test() : FCom(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~Win32NetworkInfoWin32Test() override {
    if (SUCCEEDED(FCom))
      CoUninitialize();
  }
  HRESULT FCom;
  Win32NetworkInfo FNetwork;
};

bool IsGuidText(const std::string& text) {
  if (text.size() != 38 || text.front() != '{' || text.back() != '}')
    return false;
  for (std::size_t at = 1; at < 37; ++at) {
    const char c = text[at];
    const bool dash = at == 9 || at == 14 || at == 19 || at == 24;
    if (dash ? c != '-' : !((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F')))
      return false;
  }
  return true;
}

TEST_F(Win32NetworkInfoWin32Test, AdapterRecordsCarryHardwareAddresses) {
  const auto adapters = FNetwork.Adapters();
  ASSERT_FALSE(adapters.empty());
  for (const auto& adapter : adapters) {
    EXPECT_FALSE(adapter.Description.empty());
    EXPECT_EQ(adapter.Address.size(), 6u) << adapter.Description;
  }
}

TEST_F(Win32NetworkInfoWin32Test, ListsTheMachinesAdaptersFourTextsEach) {
  std::vector<std::string> list;
  ListConnections(FNetwork, list);
  ASSERT_FALSE(list.empty());
  ASSERT_EQ(list.size() % kAdapterListStride, 0u);
  std::size_t withMac = 0;
  for (std::size_t at = 0; at < list.size(); at += kAdapterListStride) {
    const std::string& name = list[at];
    const std::string& mac = list[at + 2];
    EXPECT_FALSE(name.empty());
    EXPECT_FALSE(list[at + 1].empty()) << name;
    EXPECT_TRUE(IsGuidText(list[at + 3])) << list[at + 3];
    // Windows can list a connection without an IPv4 adapter (no MAC); Wine's
    // connections all are adapters.
    if (mac.empty() && !RunsUnderWine())
      continue;
    ++withMac;
    EXPECT_EQ(mac.size(), 17u) << name << ": " << mac;
    for (std::size_t pair = 2; pair < mac.size(); pair += 3)
      EXPECT_EQ(mac[pair], ':') << mac;
  }
  EXPECT_GT(withMac, 0u);
}

TEST_F(Win32NetworkInfoWin32Test, AdapterAddressesNameTheConnections) {
  const auto connections = ConnectionsFromAdapterAddresses();
  ASSERT_TRUE(connections.has_value());
  ASSERT_FALSE(connections->empty());
  for (const auto& connection : *connections) {
    EXPECT_FALSE(connection.Name.empty());
    EXPECT_TRUE(IsGuidText(connection.Guid)) << connection.Guid;
    EXPECT_NE(connection.DeviceName.find("Loopback"), 0u);
  }
}

TEST(Win32NetworkIdentityWin32Test, AnAdapterThatIsNotThereIsOnNoNetwork) {
  Win32NetworkIdentity identity;
  EXPECT_EQ(identity.Seen("{00000000-0000-0000-0000-000000000000}"), TNetworkSignature{});
  EXPECT_EQ(identity.Seen("no GUID"), TNetworkSignature{});
}

// A message-only window of the test's thread that only collects posts.
class NetworkChangeWatchWin32Test : public ::testing::Test {
protected:
  static constexpr UINT kChanged = WM_APP + 1;
  static constexpr UINT kChangedAgain = WM_APP + 2;

  NetworkChangeWatchWin32Test()
      : FWindow(::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)) {}
  ~NetworkChangeWatchWin32Test() override { ::DestroyWindow(FWindow); }

  // Pumps until message has arrived; false after a generous bound (a timer).
  bool WaitFor(UINT message) {
    ::SetTimer(FWindow, 1, 20000, nullptr);
    MSG posted;
    while (FArrived[message] == 0 && ::GetMessageW(&posted, FWindow, 0, 0) > 0 && posted.message != WM_TIMER)
      ++FArrived[posted.message];
    ::KillTimer(FWindow, 1);
    return FArrived[message] > 0;
  }

  void TakeQueued() {
    MSG posted;
    while (::PeekMessageW(&posted, FWindow, 0, 0, PM_REMOVE))
      ++FArrived[posted.message];
  }

  HWND FWindow;
  TempFolder FFolder;
  std::map<UINT, int> FArrived;
};

TEST_F(NetworkChangeWatchWin32Test, AChangeInTheSimulationFolderPostsUntilTheWatchEnds) {
  ASSERT_NE(FWindow, nullptr);
  {
    TNetworkChangeWatch watch(FWindow, kChanged, FFolder.Path());
    WriteBytes(FFolder.File("network.ini"), "[Network]\r\nAdapterCount=0\r\n");
    EXPECT_TRUE(WaitFor(kChanged));
  }
  TakeQueued(); // what came before the end
  FArrived.clear();

  // A second watch sees the next change; the ended one posts nothing for it.
  TNetworkChangeWatch again(FWindow, kChangedAgain, FFolder.Path());
  WriteBytes(FFolder.File("network.ini"), "[Network]\r\nAdapterCount=1\r\n");
  EXPECT_TRUE(WaitFor(kChangedAgain));
  TakeQueued();
  EXPECT_EQ(FArrived[kChanged], 0);
}

} // namespace
} // namespace quorvin::test

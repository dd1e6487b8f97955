#include "system/AdapterList.h"
#include "system/win32/Win32NetworkInfo.h"
#include "support/win32/RunsUnderWine.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>

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

} // namespace
} // namespace quorvin::test

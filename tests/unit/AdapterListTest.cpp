#include "system/AdapterList.h"

#include "base/QuorvinError.h"
#include "support/FakeNetwork.h"

#include <gtest/gtest.h>

namespace quorvin::test {
namespace {

AdapterRecord Adapter(std::uint32_t comboIndex, std::string description, std::uint8_t lastByte) {
  return {comboIndex, std::move(description), {0x00, 0x0C, 0x29, 0x00, 0x00, lastByte}};
}

std::string Mac(std::uint8_t lastByte) {
  return FormatMac(std::vector<std::uint8_t>{0x00, 0x0C, 0x29, 0x00, 0x00, lastByte});
}

struct MatchCase {
  const char* Name;
  std::vector<AdapterRecord> Adapters;
  std::uint32_t Hint;
  std::string DeviceName;
  std::string Expected;
};

class FindAdapterMacTest : public ::testing::TestWithParam<MatchCase> {};

TEST_P(FindAdapterMacTest, Matches) {
  const MatchCase& c = GetParam();
  EXPECT_EQ(FindAdapterMac(c.Adapters, c.Hint, c.DeviceName), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, FindAdapterMacTest,
    ::testing::Values(
        MatchCase{"ExactDescriptionWinsOverAnEarlierContainedOne",
                  {Adapter(7, "Intel(R) PRO/1000", 1), Adapter(8, "Intel(R) PRO/1000 #2", 2)},
                  1, "Intel(R) PRO/1000 #2", Mac(2)},
        MatchCase{"ExactDescriptionOfTheFirstOfTwoLikeAdapters",
                  {Adapter(7, "Intel(R) PRO/1000", 1), Adapter(8, "Intel(R) PRO/1000 #2", 2)},
                  0, "Intel(R) PRO/1000", Mac(1)},
        MatchCase{"EarlierMatchWithTheHintAsComboIndexWins",
                  {Adapter(1, "Intel(R) PRO/1000", 1), Adapter(8, "Intel(R) PRO/1000 #2", 2)},
                  1, "Intel(R) PRO/1000 #2", Mac(1)},
        MatchCase{"DeviceNameContainsTheDescription",
                  {Adapter(5, "Realtek", 1), Adapter(6, "Broadcom NetXtreme", 2)}, 0,
                  "Broadcom NetXtreme Gigabit Ethernet", Mac(2)},
        MatchCase{"DescriptionContainsTheDeviceName",
                  {Adapter(5, "Broadcom NetXtreme Gigabit Ethernet - Packet Scheduler", 3)}, 0,
                  "Broadcom NetXtreme Gigabit Ethernet", Mac(3)},
        MatchCase{"FirstOfSeveralPartialMatchesInListOrder",
                  {Adapter(5, "Broadcom", 1), Adapter(6, "Broadcom Net", 2)}, 0,
                  "Broadcom NetXtreme", Mac(1)},
        MatchCase{"LaterComboIndexMatchBeatsAnEarlierPartialMatch",
                  {Adapter(5, "Broadcom", 1), Adapter(0, "Broadcom Net", 2)}, 0,
                  "Broadcom NetXtreme", Mac(2)},
        MatchCase{"ComboIndexAloneIsNoMatch", {Adapter(0, "Realtek", 1)}, 0, "Broadcom", ""},
        MatchCase{"LetterCaseCounts", {Adapter(3, "broadcom", 1)}, 0, "Broadcom", ""},
        MatchCase{"EmptyDescriptionIsContainedInNothing", {Adapter(0, "", 1)}, 0, "Broadcom", ""},
        MatchCase{"EmptyDeviceNameMatchesNothing", {Adapter(0, "Broadcom", 1)}, 0, "", ""},
        MatchCase{"NoAdapters", {}, 0, "Broadcom", ""}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(FormatMac, SixBytesGiveSeventeenUpperCaseCharacters) {
  const std::vector<std::uint8_t> bytes{0x00, 0x80, 0xC7, 0x8F, 0x6C, 0x0C};
  EXPECT_EQ(FormatMac(bytes), "00:80:C7:8F:6C:0C");
  EXPECT_EQ(FormatMac(bytes).size(), 17u);
}

TEST(FormatMac, CountLimitsTheBytes) {
  const std::vector<std::uint8_t> bytes{0xAB, 0x12, 0xFF};
  EXPECT_EQ(FormatMac(bytes, 2), "AB:12");
  EXPECT_EQ(FormatMac(bytes, 0), "");
  EXPECT_EQ(FormatMac(std::vector<std::uint8_t>{12}), "0C");
}

TEST(ListConnections, FourEntriesPerConnection) {
  FakeNetwork network;
  network.ConnectionList = std::vector<ConnectionRecord>{
      {"Local Area Connection", "Intel(R) PRO/1000", "{GUID-1}"},
      {"Local Area Connection 2", "Intel(R) PRO/1000 #2", "{GUID-2}"},
      {"Bluetooth", "Bluetooth Device", "{GUID-3}"}};
  network.AdapterList = {Adapter(7, "Intel(R) PRO/1000", 1), Adapter(8, "Intel(R) PRO/1000 #2", 2)};
  std::vector<std::string> list{"kept"};
  ListConnections(network, list);
  EXPECT_EQ(list, (std::vector<std::string>{
                      "kept", "Local Area Connection", "Intel(R) PRO/1000", Mac(1), "{GUID-1}",
                      "Local Area Connection 2", "Intel(R) PRO/1000 #2", Mac(2), "{GUID-2}",
                      "Bluetooth", "Bluetooth Device", "", "{GUID-3}"}));
  EXPECT_EQ(network.AdapterReads, 1);
}

TEST(ListConnections, UnlistableConnectionsLeaveTheListUnchanged) {
  FakeNetwork network;
  std::vector<std::string> list{"kept"};
  ListConnections(network, list);
  EXPECT_EQ(list, std::vector<std::string>{"kept"});
  EXPECT_EQ(network.AdapterReads, 0);
}

TEST(ListConnections, AdapterFailureEndsTheListing) {
  FakeNetwork network;
  network.ConnectionList = std::vector<ConnectionRecord>{{"Name", "Device", "{GUID}"}};
  network.AdaptersFail = true;
  std::vector<std::string> list;
  EXPECT_THROW(ListConnections(network, list), QuorvinError);
  EXPECT_TRUE(list.empty());
}

TEST(ListConnections, NoConnectionsReadNoAdapters) {
  FakeNetwork network;
  network.ConnectionList = std::vector<ConnectionRecord>{};
  network.AdaptersFail = true;
  std::vector<std::string> list;
  ListConnections(network, list);
  EXPECT_TRUE(list.empty());
}

} // namespace
} // namespace quorvin::test

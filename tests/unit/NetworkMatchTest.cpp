#include "app/NetworkMatch.h"

#include <gtest/gtest.h>

namespace quorvin::test {
namespace {

const TNetworkSignature kOffice{"00:1B:21:4C:7A:01", "10.20.30.1", "office.corvane.example", ""};

TEST(NetworkMatchTest, ASetMatchesWhenEveryConditionItNamesHolds) {
  struct Case {
    const char* Name;
    TNetworkSignature Set;
    bool Matches;
  };
  const Case cases[] = {
      {"nothing named", {}, false},
      {"the MAC in another form", {"00-1b-21-4c-7a-01", "", "", ""}, true},
      {"another MAC", {"00-1b-21-4c-7a-02", "", "", ""}, false},
      {"suffix in other case, trailing dot", {"", "", "OFFICE.corvane.example.", ""}, true},
      {"gateway right, suffix wrong", {"", "10.20.30.1", "lab.example", ""}, false},
      {"an SSID the wired adapter does not see", {"", "", "", "Office-WLAN"}, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(MatchesNetwork(c.Set, kOffice), c.Matches) << c.Name;
}

TEST(NetworkMatchTest, OneAutomaticSwitchPerNetworkAndNoneWhileBusyOrInEffect) {
  const std::vector<TNetworkSet> sets{{0, {"00:1B:21:4C:7A:01", "", "", ""}, TAutoSwitch::Apply},
                                      {1, {"", "", "home.example", ""}, TAutoSwitch::Ask},
                                      {2, {"", "", "HOME.example", ""}, TAutoSwitch::Show}};
  NetworkWatch watch;
  EXPECT_EQ(watch.Decide(kOffice, sets, {true, true, {}}).Action, TNetworkAction::Nothing) << "busy";
  EXPECT_EQ(watch.Decide(kOffice, sets, {false, false, {}}).Action, TNetworkAction::Nothing) << "switched off";
  const TNetworkDecision office = watch.Decide(kOffice, sets, {});
  EXPECT_EQ(office.Action, TNetworkAction::Apply);
  EXPECT_EQ(office.Sets, std::vector<int>{0});
  // Applied with a fixed address, the DHCP suffix vanishes; the gateway's
  // MAC stays: the same network, no second switch, no way back.
  TNetworkSignature fixed = kOffice;
  fixed.DnsSuffix.clear();
  EXPECT_EQ(watch.Decide(fixed, sets, {}).Action, TNetworkAction::Nothing);
  const TNetworkDecision home = watch.Decide({"00:AA:00:00:00:01", "192.168.1.1", "home.example", ""}, sets, {});
  EXPECT_EQ(home.Action, TNetworkAction::AskAmong);
  EXPECT_EQ(home.Sets, (std::vector<int>{1, 2}));
  NetworkWatch again;
  EXPECT_EQ(again.Decide(kOffice, sets, {true, false, {0}}).Action, TNetworkAction::Nothing) << "in effect";
}

} // namespace
} // namespace quorvin::test

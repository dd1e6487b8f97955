// What the read-back after a switch makes of an item and the adapter's
// present settings: nothing when the adapter reports what the item asked
// for, else the text of the item's failure line.

#include "switching/AdapterReadBack.h"

#include "support/SampleSets.h"

#include <gtest/gtest.h>

#include <functional>

namespace quorvin {
namespace {

// The sample set with a secondary WINS server besides.
TSetRecord FixedSet() {
  TSetRecord set = test::SampleSet();
  set.SecondaryWins = "10.0.0.6";
  return set;
}

// The adapter holding exactly what FixedSet asks for.
IpConfig FixedAdapter() { return test::AdapterAsAsked(FixedSet()); }

IpConfig DhcpAdapter(bool autoDns) {
  IpConfig present;
  present.DhcpEnabled = true;
  present.AutoDns = autoDns;
  return present;
}

struct ReadBackCase {
  const char* Name;
  SwitchItem Item;
  std::function<void(TSetRecord&, IpConfig&)> Change;
  const char* Expected; // nullptr: no line
};

class ReadBackTest : public ::testing::TestWithParam<ReadBackCase> {};

TEST_P(ReadBackTest, ComparesWhatWasAskedWithWhatIsReported) {
  TSetRecord set = FixedSet();
  IpConfig present = FixedAdapter();
  GetParam().Change(set, present);
  const auto mismatch = ReadBackMismatch(GetParam().Item, set, present);
  if (GetParam().Expected)
    EXPECT_EQ(mismatch, std::optional<std::string>(GetParam().Expected));
  else
    EXPECT_EQ(mismatch, std::nullopt) << *mismatch;
}

void Dhcp(TSetRecord& set) {
  set.AutoIP = true;
  set.UseIP = false;
}

INSTANTIATE_TEST_SUITE_P(
    Items, ReadBackTest,
    ::testing::Values(
        ReadBackCase{"FixedAddressAsAsked", SwitchItem::IP, [](TSetRecord&, IpConfig&) {}, nullptr},
        ReadBackCase{"AddressesCompareAsAddresses", SwitchItem::IP,
                     [](TSetRecord& s, IpConfig&) { s.IP = "10.0.0.005"; }, nullptr},
        ReadBackCase{"OtherAddressAndMask", SwitchItem::IP,
                     [](TSetRecord&, IpConfig& p) {
                       p.SubnetMask = "255.0.0.0";
                       p.DefaultGateway = "";
                     },
                     "Accepted, but the adapter reports 10.0.0.5 / 255.0.0.0"},
        ReadBackCase{"AGatewayLeftBehind", SwitchItem::IP, [](TSetRecord& s, IpConfig&) { s.Gateway = ""; },
                     "Accepted, but the adapter reports 10.0.0.5 / 255.255.255.0 / 10.0.0.1"},
        ReadBackCase{"EmptyMaskAskedTheDefaultMask", SwitchItem::IP,
                     [](TSetRecord& s, IpConfig&) { s.SubnetMask = ""; }, nullptr},
        ReadBackCase{"FixedAddressButStillDhcp", SwitchItem::IP,
                     [](TSetRecord&, IpConfig& p) { p = DhcpAdapter(true); },
                     "Accepted, but the adapter reports an automatic address"},
        ReadBackCase{"AutomaticAddressByItsFlagOnly", SwitchItem::IP,
                     [](TSetRecord& s, IpConfig& p) {
                       Dhcp(s);
                       p = DhcpAdapter(false);
                     },
                     nullptr},
        ReadBackCase{"AutomaticAddressButStillFixed", SwitchItem::IP,
                     [](TSetRecord& s, IpConfig&) { Dhcp(s); },
                     "Accepted, but the adapter reports 10.0.0.5 / 255.255.255.0 / 10.0.0.1"},
        ReadBackCase{"FixedChoiceWithoutAddressAskedDhcp", SwitchItem::IP,
                     [](TSetRecord& s, IpConfig& p) {
                       s.IP = "";
                       p = IpConfig{};
                     },
                     "Accepted, but the adapter reports nothing"},
        ReadBackCase{"DnsServersAsAsked", SwitchItem::DnsServer, [](TSetRecord&, IpConfig&) {}, nullptr},
        ReadBackCase{"DnsServersInAnotherOrder", SwitchItem::DnsServer,
                     [](TSetRecord& s, IpConfig&) { std::swap(s.PreferredDns, s.AlternateDns); },
                     "Accepted, but the adapter reports 10.0.0.2 / 10.0.0.3"},
        ReadBackCase{"AThirdServerReported", SwitchItem::DnsServer,
                     [](TSetRecord&, IpConfig& p) { p.AlternateDns = "10.0.0.3,8.8.8.8"; },
                     "Accepted, but the adapter reports 10.0.0.2 / 10.0.0.3 / 8.8.8.8"},
        ReadBackCase{"ServersSeparatedByBlanks", SwitchItem::DnsServer,
                     [](TSetRecord&, IpConfig& p) {
                       p.PreferredDns = "10.0.0.2 10.0.0.3";
                       p.AlternateDns = "";
                     },
                     nullptr},
        ReadBackCase{"FixedDnsButAutomatic", SwitchItem::DnsServer,
                     [](TSetRecord&, IpConfig& p) {
                       p.AutoDns = true;
                       p.PreferredDns = p.AlternateDns = "";
                     },
                     "Accepted, but the adapter reports automatic DNS servers"},
        ReadBackCase{"AutomaticDnsButFixed", SwitchItem::DnsServer,
                     [](TSetRecord& s, IpConfig&) { s.AutoDnsServer = true; },
                     "Accepted, but the adapter reports 10.0.0.2 / 10.0.0.3"},
        ReadBackCase{"NoServersGivenAskedAutomaticDns", SwitchItem::DnsServer,
                     [](TSetRecord& s, IpConfig& p) {
                       s.PreferredDns = s.AlternateDns = "";
                       p.AutoDns = true;
                       p.PreferredDns = p.AlternateDns = "";
                     },
                     nullptr},
        ReadBackCase{"DomainInOtherLetterCase", SwitchItem::DnsDomain,
                     [](TSetRecord& s, IpConfig&) { s.DnsDomainText = "Lab.EXAMPLE"; }, nullptr},
        ReadBackCase{"DomainMissing", SwitchItem::DnsDomain, [](TSetRecord&, IpConfig& p) { p.DnsDomain = ""; },
                     "Accepted, but the adapter reports nothing"},
        ReadBackCase{"WinsAsAsked", SwitchItem::WinsServer, [](TSetRecord&, IpConfig&) {}, nullptr},
        ReadBackCase{"WinsNotCleared", SwitchItem::WinsServer,
                     [](TSetRecord& s, IpConfig&) { s.PrimaryWins = s.SecondaryWins = ""; },
                     "Accepted, but the adapter reports 10.0.0.4 / 10.0.0.6"},
        ReadBackCase{"HostItemsAreNotTheAdapters", SwitchItem::ComputerName,
                     [](TSetRecord&, IpConfig& p) { p = IpConfig{}; }, nullptr}),
    [](const auto& info) { return std::string(info.param.Name); });

} // namespace
} // namespace quorvin

#include "app/PageBinding.h"

#include <algorithm>
#include <initializer_list>

namespace quorvin {
namespace {

using P = PageControl;
using R = TSetRecord;

struct CheckBinding {
  PageControl Control;
  bool R::*Member;
};
struct TextBinding {
  PageControl Control;
  std::string R::*Member;
};

// In the order of the set's keys, so that the radio buttons are set as a
// load sets them.
constexpr CheckBinding kChecks[] = {
    {P::cbEnableIP, &R::EnableIP},         {P::rbAutoIP, &R::AutoIP},
    {P::rbUseIP, &R::UseIP},               {P::cbDnsServer, &R::DnsServer},
    {P::rbAutoDnsServer, &R::AutoDnsServer}, {P::rbUseDnsServer, &R::UseDnsServer},
    {P::cbProxyServer, &R::ProxyServer},   {P::cbUseProxyServer, &R::UseProxyServer},
    {P::cbComputerName, &R::ComputerName}, {P::cbWorkgroup, &R::Workgroup},
    {P::cbDefaultPrinter, &R::DefaultPrinter}, {P::cbDnsDomain, &R::DnsDomain},
    {P::cbWinsServer, &R::WinsServer},
};
constexpr TextBinding kTexts[] = {
    {P::reIP, &R::IP},
    {P::reSubnetMask, &R::SubnetMask},
    {P::reGateway, &R::Gateway},
    {P::rePreferredDns, &R::PreferredDns},
    {P::reAlternateDns, &R::AlternateDns},
    {P::eProxyAddress, &R::ProxyAddress},
    {P::eProxyPort, &R::ProxyPort},
    {P::eComputerName, &R::ComputerNameText},
    {P::eWorkgroup, &R::WorkgroupText},
    {P::cbPrinter, &R::Printer},
    {P::eDnsDomain, &R::DnsDomainText},
    {P::rePrimaryWins, &R::PrimaryWins},
    {P::reSecondaryWins, &R::SecondaryWins},
};

void Enable(MainView& view, std::initializer_list<PageControl> controls, bool enabled) {
  for (PageControl control : controls)
    view.SetEnabled(control, enabled);
}

PageControl PartnerOf(PageControl radio) {
  switch (radio) {
  case P::rbAutoIP: return P::rbUseIP;
  case P::rbUseIP: return P::rbAutoIP;
  case P::rbAutoDnsServer: return P::rbUseDnsServer;
  default: return P::rbAutoDnsServer;
  }
}

} // namespace

TSetRecord ReadPage(MainView& view, int index) {
  TSetRecord set;
  set.Caption = view.TabCaption(index);
  set.NetworkAdapter = view.AdapterIndex();
  for (const CheckBinding& binding : kChecks)
    set.*binding.Member = view.IsChecked(binding.Control);
  for (const TextBinding& binding : kTexts)
    set.*binding.Member = view.GetText(binding.Control);
  return set;
}

void WritePage(MainView& view, const TSetRecord& set) {
  view.SetAdapterIndex(set.NetworkAdapter);
  for (const CheckBinding& binding : kChecks)
    view.SetChecked(binding.Control, set.*binding.Member);
  for (const TextBinding& binding : kTexts)
    view.SetText(binding.Control, set.*binding.Member);
  ApplyChoiceRules(view);
  EnableProxyControls(view, set.UseProxyServer);
}

void SelectRadio(MainView& view, PageControl selected) {
  view.SetChecked(selected, true);
  view.SetChecked(PartnerOf(selected), false);
  ApplyChoiceRules(view);
}

void ApplyChoiceRules(MainView& view) {
  Enable(view, {P::lIPAddress, P::reIP, P::lSubnetMask, P::reSubnetMask, P::lGateway, P::reGateway},
         !view.IsChecked(P::rbAutoIP));
  const bool fixedIp = view.IsChecked(P::rbUseIP);
  if (fixedIp) {
    view.SetChecked(P::rbUseDnsServer, true);
    view.SetChecked(P::rbAutoDnsServer, false);
  }
  view.SetEnabled(P::rbAutoDnsServer, !fixedIp);
  Enable(view, {P::lPreferredDns, P::rePreferredDns, P::lAlternateDns, P::reAlternateDns},
         !view.IsChecked(P::rbAutoDnsServer));
}

void EnableProxyControls(MainView& view, bool enabled) {
  Enable(view, {P::lProxyAddress, P::eProxyAddress, P::lProxyPort, P::eProxyPort}, enabled);
}

void SetUseProxy(MainView& view, bool checked) {
  view.SetChecked(P::cbUseProxyServer, checked);
  EnableProxyControls(view, checked);
}

bool AnyItemTicked(MainView& view) {
  return std::any_of(std::begin(kItemTickBoxes), std::end(kItemTickBoxes),
                     [&](PageControl box) { return view.IsChecked(box); });
}

} // namespace quorvin

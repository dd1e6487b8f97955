#include "support/SampleSets.h"

namespace quorvin::test {

TSetRecord SampleSet() {
  TSetRecord set;
  set.UseIP = true;
  set.IP = "10.0.0.5";
  set.SubnetMask = "255.255.255.0";
  set.Gateway = "10.0.0.1";
  set.PreferredDns = "10.0.0.2";
  set.AlternateDns = "10.0.0.3";
  set.UseProxyServer = true;
  set.ProxyAddress = "10.0.0.1";
  set.ProxyPort = "8080";
  set.ComputerNameText = "LAB-PC";
  set.WorkgroupText = "LAB";
  set.Printer = "Laser";
  set.DnsDomainText = "lab.example";
  set.PrimaryWins = "10.0.0.4";
  return set;
}

void TickAllItems(TSetRecord& set) {
  set.EnableIP = set.DnsServer = set.ProxyServer = set.ComputerName = set.Workgroup = set.DefaultPrinter =
      set.DnsDomain = set.WinsServer = true;
}

std::array<std::string, kSwitchItemCount> DefaultItemNames() {
  return {"IP",        "DNS Server",      "Proxy Server", "Computer Name",
          "Workgroup", "Default Printer", "DNS Domain",   "WINS Server"};
}

TSwitchInput SampleInput(const std::string& adapterMac) {
  TSwitchInput input;
  input.Set = SampleSet();
  input.ItemNames = DefaultItemNames();
  input.AdapterMac = adapterMac;
  return input;
}

IpConfig AdapterAsAsked(const TSetRecord& set) {
  IpConfig present;
  present.IPAddress = set.IP;
  present.SubnetMask = set.SubnetMask;
  present.DefaultGateway = set.Gateway;
  present.PreferredDns = set.PreferredDns;
  present.AlternateDns = set.AlternateDns;
  present.PrimaryWins = set.PrimaryWins;
  present.SecondaryWins = set.SecondaryWins;
  present.DnsDomain = set.DnsDomainText;
  return present;
}

} // namespace quorvin::test

#pragma once
// A simulated network of two adapters and two printers, as network.ini in the
// folder named by QUORVIN_SIMULATE holds it.

namespace quorvin::test {

inline constexpr char kSampleNetworkIni[] = R"ini(; A simulated network of two adapters and two printers.

[Host]
ComputerName=SIMHOST
Workgroup=OFFICE
PrinterCount=2

[Printer0]
Name=Office Laser
Device=winspool,Ne00:

[Printer1]
Name=Label Printer
Device=winspool,Ne01:

[Windows]
Device=Office Laser,winspool,Ne00:

[Network]
AdapterCount=2

[Adapter0]
ConnectionName=Local Area Connection
Description=Intel(R) PRO/1000 MT Network Connection
MAC=00:0C:29:3A:5B:7C
GUID={4D36E972-E325-11CE-BFC1-08002BE10318}
ComboIndex=0
IPEnabled=1
DHCPEnabled=0
IPAddress=192.168.1.10,192.168.1.11
SubnetMask=255.255.255.0,255.255.255.0
DefaultGateway=192.168.1.1
DNSServers=192.168.1.1,8.8.8.8,8.8.4.4
DNSDomain=example.local
WINSPrimary=192.168.1.2
WINSSecondary=192.168.1.3

[Adapter1]
ConnectionName=Wireless Network Connection
Description=Intel(R) Wireless WiFi Link 4965AGN
MAC=00-1f-3b-0a-12-0c
GUID={a1b2c3d4-0000-4000-8000-0000000000aa}
ComboIndex=1
IPEnabled=1
DHCPEnabled=1
DNSServers=
WINSPrimary=
)ini";

} // namespace quorvin::test

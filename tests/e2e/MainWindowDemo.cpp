// Shows the main window over a simulated network with three adapters, for
// screenshots: "static" shows a set with a fixed address, "dhcp" a set on
// DHCP, "dropdown" the static set with the adapter list opened. The folder
// QUORVIN_DEMO_FOLDER names (else a temporary one) gets the network and the
// settings file. It prints "ready" once the window is shown, and stays open
// until killed or closed with Exit.

#include "app/win32/TfrmMain.h"
#include "app/win32/Win32SwitchRunner.h"
#include "app/win32/resource.h"
#include "base/win32/Win32Dispatcher.h"
#include "store/win32/Win32ProfileFile.h"
#include "support/TempFolder.h"
#include "switching/SystemSwitchHost.h"
#include "switching/sim/SimulatedManagementService.h"
#include "switching/win32/Win32ProcessLauncher.h"
#include "system/sim/SimulatedNetwork.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

using namespace quorvin;

constexpr char kNetwork[] =
    "[Host]\r\nComputerName=LABPC\r\nWorkgroup=WORKGROUP\r\nPrinterCount=2\r\n"
    "[Printer0]\r\nName=Office Laser\r\n[Printer1]\r\nName=Lab Inkjet\r\n"
    "[Windows]\r\nDevice=Office Laser,winspool,Ne00:\r\n"
    "[Network]\r\nAdapterCount=3\r\n"
    "[Adapter0]\r\nConnectionName=Local Area Connection\r\nDescription=Simulated Ethernet\r\n"
    "MAC=00:0C:29:3A:5B:7C\r\n"
    "[Adapter1]\r\nConnectionName=Wireless Network Connection\r\n"
    "Description=Simulated 802.11ac Dual Band Wireless Network Adapter with a long name\r\n"
    "MAC=00:0C:29:3A:5B:7D\r\n"
    "[Adapter2]\r\nConnectionName=VPN\r\nDescription=Tunnel\r\nMAC=00:0C:29:3A:5B:7E\r\n";

constexpr char kSettings[] =
    "[Options]\r\nTabCount=3\r\nDefaultTab=%d\r\n"
    "[0]\r\nCaption=Office\r\nNetworkAdapter=0\r\nEnableIP=1\r\nUseIP=1\r\nIP=192.168.7.20\r\n"
    "SubnetMask=255.255.255.0\r\nGateway=192.168.7.1\r\nDnsServer=1\r\nPreferredDns=192.168.7.2\r\n"
    "AlternateDns=8.8.8.8\r\nProxyServer=1\r\nUseProxyServer=1\r\nProxyAddress=proxy.lab\r\nProxyPort=8080\r\n"
    "ComputerName=1\r\nComputerNameText=LABPC\r\nWorkgroup=1\r\nWorkgroupText=LAB\r\nDefaultPrinter=1\r\n"
    "Printer=Office Laser\r\nDnsDomain=1\r\nDnsDomainText=lab.example\r\nWinsServer=1\r\n"
    "PrimaryWins=192.168.7.3\r\n"
    "[1]\r\nCaption=Home\r\nNetworkAdapter=1\r\nEnableIP=1\r\nAutoIP=1\r\nUseIP=0\r\nDnsServer=1\r\n"
    "AutoDnsServer=1\r\nUseDnsServer=0\r\nWorkgroupText=HOME\r\n"
    "[2]\r\nCaption=Travel\r\n";

void Write(const std::string& path, const std::string& bytes) {
  if (FILE* file = std::fopen(path.c_str(), "wb")) {
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  const bool dhcp = std::strstr(commandLine, "dhcp") != nullptr;
  const bool dropDown = std::strstr(commandLine, "dropdown") != nullptr;
  test::TempFolder temporary;
  // The demo's own variable, not the program's simulation file.
  const char* given = std::getenv("QUORVIN_DEMO_FOLDER");
  const std::string folder = (given && *given ? std::string(given) : temporary.Path()) + "\\";
  Write(folder + "network.ini", kNetwork);
  char settings[sizeof kSettings + 8];
  std::snprintf(settings, sizeof settings, kSettings, dhcp ? 1 : 0);
  Write(folder + "data.ini", settings);

  auto system = CreateSimulatedServices(folder, CreatePlatformServices());
  SimulatedManagementService adapters(folder);
  Win32ProcessLauncher launcher;
  SystemSwitchHost host(*system, launcher);
  Win32Dispatcher dispatcher;
  SwitchThreads threads(dispatcher, adapters, host);
  Win32SwitchRunner runner(threads);
  SimulatedShellPort shell(folder);
  Win32ProfileFile file(folder + "data.ini");
  TfrmMain form(file, *system, shell, runner, folder);
  form.SetMessageHook([](UINT message, WPARAM wParam, LPARAM, INT_PTR&) {
    if (message == WM_COMMAND && (LOWORD(wParam) == IDM_EXIT || LOWORD(wParam) == IDC_BEXIT))
      ::PostQuitMessage(0);
    return false;
  });
  form.Create(nullptr);
  runner.SetOwner(form.Handle());
  form.Run([&] { form.FormShow(); });
  ::ShowWindow(form.Handle(), SW_SHOW);
  ::UpdateWindow(form.Handle());
  if (dropDown)
    ::SendMessageA(::GetDlgItem(form.Handle(), IDC_CBNETWORKADAPTER), CB_SHOWDROPDOWN, TRUE, 0);
  std::printf("ready\n");
  std::fflush(stdout);

  MSG message;
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (form.PreTranslateMessage(message))
      continue;
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
  threads.WaitForEarlierRuns();
  return 0;
}

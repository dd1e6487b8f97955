// Shows the progress dialog running one switch over a simulated network, for
// screenshots and end-to-end checks: "ok" applies a valid set, "fail" one
// with a refused mask. The network is the one in the folder QUORVIN_SIMULATE
// names (a lab network is written there when it has none), else a temporary
// one. It prints "finished" once the dialog says so, and stays open until
// killed.

#include "base/win32/Win32Dispatcher.h"
#include "support/SimulatedLab.h"
#include "support/TempFolder.h"
#include "switching/SystemSwitchHost.h"
#include "switching/sim/SimulatedManagementService.h"
#include "switching/win32/SwitchHint.h"
#include "switching/win32/SwitchHintIds.h"
#include "switching/win32/Win32ProcessLauncher.h"
#include "system/sim/SimulatedNetwork.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

using namespace quorvin;

BOOL CALLBACK ReportFinished(HWND window, LPARAM) {
  char text[64] = {};
  ::GetDlgItemTextA(window, IDC_PANEL1, text, sizeof text);
  if (std::strcmp(text, "Finished!") == 0) {
    std::printf("finished\n");
    std::fflush(stdout);
    return FALSE;
  }
  return TRUE;
}

void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
  static bool reported = false;
  if (!reported)
    reported = !::EnumThreadWindows(::GetCurrentThreadId(), ReportFinished, 0);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  const bool fail = std::strstr(commandLine, "fail") != nullptr;
  test::TempFolder temporary;
  const std::string folder = SimulationFolder().value_or(temporary.Path());
  if (::GetFileAttributesA((folder + "\\network.ini").c_str()) == INVALID_FILE_ATTRIBUTES)
    test::WriteLabNetwork(folder);

  TSetRecord set;
  set.EnableIP = set.DnsServer = set.DnsDomain = set.WinsServer = set.ComputerName = true;
  set.IP = "192.168.7.20";
  set.SubnetMask = fail ? "255.0.255.0" : "255.255.255.0";
  set.Gateway = "192.168.7.1";
  set.PreferredDns = "192.168.7.2";
  set.DnsDomainText = "home.example";
  set.PrimaryWins = "192.168.7.3";
  set.ComputerNameText = fail ? "A-NAME-LONGER-THAN-19" : "LABPC";

  auto system = CreateSimulatedServices(folder, CreatePlatformServices());
  SimulatedManagementService adapters(folder);
  Win32ProcessLauncher launcher;
  SystemSwitchHost host(*system, launcher);
  Win32Dispatcher dispatcher;
  SwitchThreads threads(dispatcher, adapters, host);
  ::SetTimer(nullptr, 0, 50, OnTimer);
  TfrmSwitchHint form(threads, {set, {"IP", "DNS Server", "Proxy Server", "Computer Name", "Workgroup",
                                      "Default Printer", "DNS Domain", "WINS Server"},
                                std::string(test::kLabMac)},
                      {false, false});
  form.ShowModal(nullptr);
  return 0;
}

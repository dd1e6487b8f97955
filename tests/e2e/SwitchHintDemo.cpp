// Shows the progress dialog running one switch over a simulated network, for
// screenshots and end-to-end checks: "ok" applies a valid set, "fail" one
// with a refused mask. The network is the one in the folder QUORVIN_DEMO_FOLDER
// names (a lab network is written there when it has none), else a temporary
// one. It prints "finished" once the dialog says so, and stays open until
// killed.

#include "base/Texts.h"
#include "support/SimulatedLab.h"
#include "support/TempFolder.h"
#include "switching/SwitchEngine.h"
#include "switching/sim/SimulatedManagementService.h"
#include "switching/win32/MachineSwitchParts.h"
#include "switching/win32/SwitchHint.h"
#include "switching/win32/SwitchHintIds.h"
#include "system/sim/SimulatedNetwork.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

using namespace quorvin;

// Called by the dialog after each change: the end is told once.
void ReportFinished(HWND dialog) {
  static bool reported = false;
  char text[64] = {};
  ::GetDlgItemTextA(dialog, IDC_PANEL1, text, sizeof text);
  if (!reported && LoadText(TextId::FinishedText) == text) {
    reported = true;
    std::printf("finished\n");
    std::fflush(stdout);
  }
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  const bool fail = std::strstr(commandLine, "fail") != nullptr;
  test::TempFolder temporary;
  // The demo's own variable, not the program's simulation file.
  const char* given = std::getenv("QUORVIN_DEMO_FOLDER");
  const std::string folder = given && *given ? std::string(given) : temporary.Path();
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

  SwitchEngineParts parts = MachineSwitchParts();
  parts.System = [&] { return CreateSimulatedServices(folder, CreatePlatformServices()); };
  parts.Adapters = [&] { return std::make_unique<SimulatedManagementService>(folder); };
  SwitchEngine engine(parts);
  const TAdapterEntry entry{"Lab", "Lab adapter", std::string(test::kLabMac), std::string(test::kLabGuid)};
  const std::array<std::string, kSwitchItemCount> names{"IP",        "DNS Server",      "Proxy Server", "Computer Name",
                                                       "Workgroup", "Default Printer", "DNS Domain",   "WINS Server"};
  TSwitchHintHooks hooks;
  hooks.Changed = ReportFinished;
  TfrmSwitchHint form(engine.Threads(), MakeSwitchInput(set, names, entry), {false, false}, std::move(hooks));
  form.ShowModal(nullptr);
  return 0;
}

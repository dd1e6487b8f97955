// Shows one of the small dialogs for screenshots: "options", "rename",
// "ask", "keep", "network" or "about" on the command line. The options work on an
// in-memory registry and a settings file in a temporary folder; the address
// link opens nothing; the keep question's gateway answers. Prints "shown"
// once the dialog is up (the keep question: once its gateway line had time
// to come) and ends when it closes.

#include "app/ShellPort.h"
#include "app/SmallDialogs.h"
#include "app/win32/Dialogs.h"
#include "app/win32/KeepDialog.h"
#include "base/Texts.h"
#include "store/win32/Win32ProfileFile.h"
#include "support/TempFolder.h"
#include "system/sim/InMemoryGatewayProbe.h"
#include "system/sim/InMemoryHost.h"
#include "system/sim/InMemoryRegistry.h"
#include "system/sim/InMemoryTaskScheduler.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

using namespace quorvin;

class NoShell final : public ShellPort {
public:
  void Open(const std::string&, const std::string&) override {}
};

void CALLBACK OnTimer(HWND, UINT, UINT_PTR timer, DWORD) {
  ::KillTimer(nullptr, timer);
  std::printf("shown\n");
  std::fflush(stdout);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  // The first tick comes once the dialog's modal loop runs idle.
  const bool keep = std::strstr(commandLine, "keep") != nullptr;
  ::SetTimer(nullptr, 0, keep ? 1500 : 10, OnTimer);
  if (keep) {
    InMemoryGatewayProbe probe;
    probe.SetAnswering({"192.168.1.1"});
    ShowKeepDialog(nullptr, 20, "192.168.1.1", probe);
  } else if (std::strstr(commandLine, "network")) {
    TSetNetwork network{{"00-1B-21-4C-7A-10", "192.168.1.1", "corp.example", "Office"}, TAutoSwitch::Ask};
    ShowNetworkDialog(nullptr, network, [] { return std::optional<TNetworkSignature>(); });
  } else if (std::strstr(commandLine, "options")) {
    test::TempFolder folder;
    Win32ProfileFile file(folder.File("data.ini"));
    SystemServices services(std::make_unique<InMemoryRegistry>(), nullptr, std::make_unique<InMemoryHost>(),
                            std::make_unique<InMemoryTaskScheduler>());
    TOptionsSetting options;
    TWindowOptions window{0, {"SET1"}};
    ShowOptionsDialog(nullptr, options, window, file, services);
  } else if (std::strstr(commandLine, "rename")) {
    std::string name = "SET1";
    ShowRenameDialog(nullptr, RenameCaption(name), name);
  } else if (std::strstr(commandLine, "ask")) {
    TOptionsSetting options;
    ShowAskDialog(nullptr, LoadText(TextId::LoadQuestion), options);
  } else {
    NoShell shell;
    ShowAboutDialog(nullptr, shell);
  }
  return 0;
}

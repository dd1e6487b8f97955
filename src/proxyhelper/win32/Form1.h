#pragma once
// Pevrix's only window. It never appears on screen; it exists so that the
// command runs from the message loop, once the program is fully up.

#include "base/win32/WindowBase.h"
#include "proxyhelper/ProxyCommand.h"

#include <windows.h>

#include <cstdint>

namespace quorvin::pevrix {

inline constexpr UINT WM_PROXYCOMMAND = 0x9901;

class TForm1 final : public WindowBase {
public:
  // Creates the window; false when the system refused it.
  bool Create();
  // Stands for showing the form: it posts the command to the window, which
  // itself stays hidden.
  void Show();
  // The command's exit code (see ProxyCommand.h); kExitFailed until it ran.
  std::uint32_t ExitCode() const { return FExitCode; }

private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  void FormCreate();
  void FormShow();
  void WMProxyCommand();

  std::uint32_t FExitCode = kExitFailed;
};

} // namespace quorvin::pevrix

#pragma once
// Pevrix's only window. It never appears on screen; it exists so that the
// command runs from the message loop, once the program is fully up.

#include "proxyhelper/ProxyCommand.h"

#include <windows.h>

#include <cstdint>

namespace quorvin::pevrix {

inline constexpr UINT WM_PROXYCOMMAND = 0x9901;

class TForm1 {
public:
  // Creates the window; false when the system refused it.
  bool Create(HINSTANCE instance);
  // Stands for showing the form: it posts the command to the window, which
  // itself stays hidden.
  void Show();
  // The command's exit code (see ProxyCommand.h); kExitFailed until it ran.
  std::uint32_t ExitCode() const { return FExitCode; }

private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  void FormCreate();
  void FormShow();
  void WMProxyCommand();

  HWND FHandle = nullptr;
  std::uint32_t FExitCode = kExitFailed;
};

} // namespace quorvin::pevrix

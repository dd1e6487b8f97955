#pragma once
// Pevrix's ports on Windows: the current user's registry, WinINet's
// process-wide options (WinINet loaded from the system folder when the
// option is sent, base/win32/WinInetCalls.h) and a message box.

#include "proxyhelper/ProxyPorts.h"

#include <windows.h>

namespace quorvin::pevrix {

class Win32ProxyRegistry : public ProxyRegistry {
public:
  std::unique_ptr<ProxySettingsKey> OpenOrCreateKey(std::string_view path) override;
};

class Win32InternetOptions : public InternetOptions {
public:
  void SetOption(std::uint32_t option) override;
};

// Pevrix's error box; also the reporter of its window's errors.
void ShowPevrixError(HWND owner, const std::string& text);

class Win32ErrorReporter : public ErrorReporter {
public:
  explicit Win32ErrorReporter(HWND owner) : FOwner(owner) {}
  void ShowError(const std::string& text) override;

private:
  HWND FOwner;
};

} // namespace quorvin::pevrix

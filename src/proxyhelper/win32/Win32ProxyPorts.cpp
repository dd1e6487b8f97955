#include "proxyhelper/win32/Win32ProxyPorts.h"

#include "base/win32/HandleOwners.h"
#include "base/win32/WinInetCalls.h"

#include <string>

namespace quorvin::pevrix {

namespace {

constexpr char kErrorCaption[] = "Pevrix";

class Win32SettingsKey : public ProxySettingsKey {
public:
  explicit Win32SettingsKey(UniqueKey key) : FKey(std::move(key)) {}

  std::uint32_t WriteString(std::string_view name, std::string_view value) override {
    const std::string text(value);
    // REG_SZ data is stored with its terminating zero.
    return static_cast<std::uint32_t>(
        ::RegSetValueExA(FKey.get(), std::string(name).c_str(), 0, REG_SZ,
                         reinterpret_cast<const BYTE*>(text.c_str()), static_cast<DWORD>(text.size() + 1)));
  }

  std::uint32_t WriteDword(std::string_view name, std::uint32_t value) override {
    const DWORD data = value;
    return static_cast<std::uint32_t>(::RegSetValueExA(FKey.get(), std::string(name).c_str(), 0, REG_DWORD,
                                                       reinterpret_cast<const BYTE*>(&data), sizeof data));
  }

private:
  UniqueKey FKey;
};

} // namespace

std::unique_ptr<ProxySettingsKey> Win32ProxyRegistry::OpenOrCreateKey(std::string_view path) {
  HKEY key = nullptr;
  if (::RegCreateKeyExA(HKEY_CURRENT_USER, std::string(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return nullptr;
  return std::make_unique<Win32SettingsKey>(UniqueKey(key));
}

void Win32InternetOptions::SetOption(std::uint32_t option) {
  system32::InternetSetOptionA(nullptr, option, nullptr, 0);
}

void Win32ErrorReporter::ShowError(const std::string& text) { ShowPevrixError(FOwner, text); }

void ShowPevrixError(HWND owner, const std::string& text) {
  // Owned by the hidden window rather than by nobody: Windows may apply the
  // show state of a hidden start (SW_HIDE) to the first unowned top-level
  // window that a process shows, which would hide the box.
  ::MessageBoxA(owner, text.c_str(), kErrorCaption, MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

} // namespace quorvin::pevrix

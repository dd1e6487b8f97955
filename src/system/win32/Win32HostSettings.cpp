#include "system/win32/Win32HostSettings.h"

#include "base/win32/HandleOwners.h"
#include "base/win32/NetApiCalls.h"
#include "base/win32/SpoolerCalls.h"
#include "base/win32/WinInetCalls.h"
#include "system/win32/Win32Text.h"

#include <aclapi.h>
#include <sddl.h>

#include <cstring>
#include <memory>

namespace quorvin {
namespace {

struct NetBufferFree {
  void operator()(void* buffer) const { system32::NetApiBufferFree(buffer); }
};

using IsWow64ProcessFunction = BOOL(WINAPI*)(HANDLE process, PBOOL wow64);

// INTERNET_PROXY_INFO of the A functions, whatever UNICODE says.
struct ProxyInfoA {
  DWORD AccessType;
  LPCSTR Proxy;
  LPCSTR ProxyBypass;
};
static_assert(sizeof(ProxyInfoA) == sizeof(INTERNET_PROXY_INFO));

constexpr DWORD kProxyBufferSize = 4096;

// A function pointer from GetProcAddress, converted through void* as the
// compilers require for a cast between unrelated function types.
template <typename Function> Function EntryPoint(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

} // namespace

std::string Win32HostSettings::ComputerName() {
  char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD size = sizeof name;
  return GetComputerNameA(name, &size) ? std::string(name, size) : std::string();
}

bool Win32HostSettings::ChangeComputerName(ComputerNameKind kind, const std::string& name) {
  return SetComputerNameExA(static_cast<COMPUTER_NAME_FORMAT>(kind), name.c_str()) != FALSE;
}

std::uint32_t Win32HostSettings::QueryWorkgroup(std::string& name) {
  LPBYTE raw = nullptr;
  const NET_API_STATUS status = system32::NetWkstaGetInfo(nullptr, 100, &raw);
  const std::unique_ptr<void, NetBufferFree> owned(raw);
  if (status == NERR_Success && raw != nullptr)
    name = NarrowText(reinterpret_cast<const WKSTA_INFO_100*>(raw)->wki100_langroup);
  return status;
}

std::uint32_t Win32HostSettings::JoinWorkgroup(const std::string& name) {
  const std::wstring workgroup = WideText(name);
  // Without NETSETUP_JOIN_DOMAIN the name is a workgroup; the local machine
  // (no server) needs no account.
  return system32::NetJoinDomain(nullptr, workgroup.c_str(), nullptr, nullptr, nullptr, 0);
}

std::string Win32HostSettings::ReadProfileText(const std::string& section, const std::string& key,
                                             const std::string& defaultValue,
                                             std::size_t bufferSize) {
  if (bufferSize == 0)
    return {};
  std::string buffer(bufferSize, '\0');
  const DWORD length = GetProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(),
                                         buffer.data(), static_cast<DWORD>(bufferSize));
  buffer.resize(length);
  return buffer;
}

bool Win32HostSettings::WriteProfileText(const std::string& section, const std::string& key,
                                         const std::string& value) {
  return WriteProfileStringA(section.c_str(), key.c_str(), value.c_str()) != FALSE;
}

std::vector<std::string> Win32HostSettings::Printers() {
  constexpr DWORD kFlags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
  DWORD needed = 0;
  DWORD count = 0;
  system32::EnumPrintersA(kFlags, nullptr, 4, nullptr, 0, &needed, &count);
  std::vector<std::uint64_t> buffer((needed + 7) / 8 + 1);
  auto* printers = reinterpret_cast<PRINTER_INFO_4A*>(buffer.data());
  if (!system32::EnumPrintersA(kFlags, nullptr, 4, reinterpret_cast<BYTE*>(printers),
                     static_cast<DWORD>(buffer.size() * 8), &needed, &count))
    return {};
  std::vector<std::string> names;
  for (DWORD index = 0; index < count; ++index)
    names.emplace_back(printers[index].pPrinterName ? printers[index].pPrinterName : "");
  return names;
}

OsVersion Win32HostSettings::Version() {
  OSVERSIONINFOA info = {};
  info.dwOSVersionInfoSize = sizeof info;
#ifdef _MSC_VER
#pragma warning(suppress : 4996) // deprecated, but the only source of the platform identifier
#endif
  if (!GetVersionExA(&info))
    return {};
  return {info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion};
}

bool Win32HostSettings::IsWow64Process() {
  const auto isWow64 =
      EntryPoint<IsWow64ProcessFunction>(GetModuleHandleA("kernel32"), "IsWow64Process");
  BOOL wow64 = FALSE;
  return isWow64 != nullptr && isWow64(GetCurrentProcess(), &wow64) && wow64;
}

std::string Win32HostSettings::ExecutablePath() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2); // cut off: a long path
  }
}

std::optional<std::string> Win32HostSettings::FileAccessRules(const std::string& path) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  const DWORD status = GetNamedSecurityInfoA(path.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                                             nullptr, nullptr, nullptr, &descriptor);
  if (status != ERROR_SUCCESS)
    return std::nullopt;
  const UniqueLocal<> ownedDescriptor(descriptor);
  LPSTR text = nullptr;
  if (!ConvertSecurityDescriptorToStringSecurityDescriptorA(descriptor, SDDL_REVISION_1,
                                                            DACL_SECURITY_INFORMATION, &text, nullptr))
    return std::nullopt;
  const UniqueLocal<char> ownedText(text);
  return std::string(text);
}

bool Win32HostSettings::QueryProxy(ProxyInfo& info) {
  std::vector<std::uint64_t> buffer(kProxyBufferSize / 8);
  DWORD length = kProxyBufferSize;
  if (!system32::InternetQueryOptionA(nullptr, INTERNET_OPTION_PROXY, buffer.data(), &length))
    return false;
  const auto* record = reinterpret_cast<const ProxyInfoA*>(buffer.data());
  info.AccessType = record->AccessType;
  info.ProxyList = record->Proxy ? record->Proxy : "";
  info.Bypass = record->ProxyBypass ? record->ProxyBypass : "";
  return true;
}

void Win32HostSettings::SetProxy(const ProxyInfo& info) {
  // The call is told 4096 bytes: they are all there, the record at the start.
  std::vector<std::uint64_t> buffer(kProxyBufferSize / 8);
  const ProxyInfoA record{info.AccessType, info.ProxyList.c_str(),
                          info.Bypass.empty() ? nullptr : info.Bypass.c_str()};
  std::memcpy(buffer.data(), &record, sizeof record);
  system32::InternetSetOptionA(nullptr, INTERNET_OPTION_PROXY, buffer.data(), kProxyBufferSize);
}

void Win32HostSettings::SendInternetOption(std::uint32_t option) {
  system32::InternetSetOptionA(nullptr, option, nullptr, 0);
}

std::uint32_t Win32HostSettings::TickCount() { return GetTickCount(); }

// Posting the quit again at once would wake the wait that follows at once,
// again and again: the caller posts it when its wait is over.
std::optional<int> Win32HostSettings::ProcessMessages() {
  std::optional<int> quit;
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      quit = static_cast<int>(message.wParam);
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return quit;
}

void Win32HostSettings::PostQuit(int exitCode) { PostQuitMessage(exitCode); }

void Win32HostSettings::WaitForMessages(std::uint32_t milliseconds) {
  MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds, QS_ALLINPUT);
}

} // namespace quorvin

#pragma once
// The host settings port: what the program asks of and changes on the
// machine outside the adapters and the registry. One call each, with the
// system's own results; the rules over them are in HostOperations.h.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvin {

// Kinds of computer name for SetComputerNameEx (the system's numbers).
enum class ComputerNameKind : int { PhysicalNetBios = 4, PhysicalDnsHostname = 5 };

// Platform identifiers of the version record.
inline constexpr std::uint32_t kPlatformWindows9x = 1;
inline constexpr std::uint32_t kPlatformNt = 2;

struct OsVersion {
  std::uint32_t PlatformId = 0;
  std::uint32_t Major = 0;
  std::uint32_t Minor = 0;
};

// The internet library's proxy record (option INTERNET_OPTION_PROXY).
inline constexpr std::uint32_t kInternetOpenTypeDirect = 1;
inline constexpr std::uint32_t kInternetOpenTypeProxy = 3;
struct ProxyInfo {
  std::uint32_t AccessType = kInternetOpenTypeDirect;
  std::string ProxyList;
  std::string Bypass;
};

// Internet options sent without a buffer.
inline constexpr std::uint32_t kInternetOptionSettingsChanged = 39;
inline constexpr std::uint32_t kInternetOptionProxyUsername = 43;

class HostSettings {
public:
  virtual ~HostSettings() = default;

  // The NetBIOS name (at most 15 characters); empty when it cannot be read.
  virtual std::string ComputerName() = 0;
  virtual bool ChangeComputerName(ComputerNameKind kind, const std::string& name) = 0;
  // 0 and the workgroup or domain, or the system's status.
  virtual std::uint32_t QueryWorkgroup(std::string& name) = 0;
  // Joins the workgroup; the system's status, 0 on success.
  virtual std::uint32_t JoinWorkgroup(const std::string& name) = 0;

  // The user profile's strings ("Devices", "Windows"), read through a buffer
  // of bufferSize bytes: at most bufferSize - 1 characters.
  virtual std::string ReadProfileText(const std::string& section, const std::string& key,
                                    const std::string& defaultValue, std::size_t bufferSize) = 0;
  // False when the system refused the write.
  virtual bool WriteProfileText(const std::string& section, const std::string& key,
                                const std::string& value) = 0;
  // The printers the spooler knows, by name.
  virtual std::vector<std::string> Printers() = 0;

  // Zeros when the version cannot be read.
  virtual OsVersion Version() = 0;
  // False also when the system has no IsWow64Process.
  virtual bool IsWow64Process() = 0;
  // The running executable's full path, as the system reports it.
  virtual std::string ExecutablePath() = 0;
  // Who may do what with a file or folder: its discretionary access control
  // list in the system's string form ("D:..."); nothing when it cannot be read.
  virtual std::optional<std::string> FileAccessRules(const std::string& path) = 0;

  // The internet library's proxy record; false when the query fails.
  virtual bool QueryProxy(ProxyInfo& info) = 0;
  virtual void SetProxy(const ProxyInfo& info) = 0;
  virtual void SendInternetOption(std::uint32_t option) = 0;

  // Milliseconds, wrapping at 2^32.
  virtual std::uint32_t TickCount() = 0;
  // Handles the calling thread's pending window messages. A WM_QUIT among
  // them is taken, not posted again, and its exit code returned: the caller
  // posts it again (PostQuit) once its own wait is over.
  virtual std::optional<int> ProcessMessages() = 0;
  virtual void PostQuit(int exitCode) = 0;
  // Returns when a message arrives or after at most milliseconds.
  virtual void WaitForMessages(std::uint32_t milliseconds) = 0;
};

// What a read of value through a buffer of bufferSize bytes returns, as
// ReadProfileText does: at most bufferSize - 1 characters.
inline std::string CutToBuffer(std::string value, std::size_t bufferSize) {
  if (bufferSize == 0)
    return {};
  if (value.size() > bufferSize - 1)
    value.resize(bufferSize - 1);
  return value;
}

} // namespace quorvin

#pragma once
// The registry port: keys under HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER,
// values as raw bytes with their type, status codes as the Reg* functions
// return them. RegistryKey's non-virtual members add the reading and writing
// rules of the program (and its fixed error texts) on top of the raw calls.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quorvin {

enum class RegistryRoot { LocalMachine, CurrentUser };

// Read opens for querying only; ReadWrite opens with full access.
enum class RegistryAccess { Read, ReadWrite };

// Value types with the numbers the registry gives them.
namespace RegistryType {
inline constexpr std::uint32_t None = 0;
inline constexpr std::uint32_t String = 1;       // REG_SZ
inline constexpr std::uint32_t ExpandString = 2; // REG_EXPAND_SZ
inline constexpr std::uint32_t Binary = 3;       // REG_BINARY
inline constexpr std::uint32_t Dword = 4;        // REG_DWORD
inline constexpr std::uint32_t MultiString = 7;  // REG_MULTI_SZ
inline constexpr std::uint32_t Qword = 11;       // REG_QWORD
} // namespace RegistryType

// Status codes shared by every implementation (the Win32 error numbers).
namespace RegistryStatus {
inline constexpr long Success = 0;
inline constexpr long FileNotFound = 2;
inline constexpr long AccessDenied = 5;
} // namespace RegistryStatus

struct RegistryValue {
  long Status = RegistryStatus::FileNotFound;
  std::uint32_t Type = RegistryType::None;
  std::string Data; // the raw bytes, terminating zeros included
  bool Found() const { return Status == RegistryStatus::Success; }
};

class RegistryKey {
public:
  virtual ~RegistryKey() = default;

  virtual RegistryValue Query(std::string_view name) const = 0;
  virtual long Set(std::string_view name, std::uint32_t type, std::string_view data) = 0;
  virtual long Delete(std::string_view name) = 0;

  bool HasValue(std::string_view name) const;
  // Must exist and be a REG_DWORD: "Failed to get data for '%s'" or
  // "Invalid data type for '%s'" otherwise.
  std::uint32_t ReadInteger(std::string_view name) const;
  // A missing value reads as empty; a value of another type than REG_SZ or
  // REG_EXPAND_SZ raises "Invalid data type for '%s'".
  std::string ReadString(std::string_view name) const;
  // A refused write raises "Failed to set data for '%s'".
  void WriteString(std::string_view name, std::string_view value);
  void WriteInteger(std::string_view name, std::uint32_t value);
  // True when the value is gone afterwards (also when it never existed).
  bool DeleteValue(std::string_view name);
};

class Registry {
public:
  virtual ~Registry() = default;

  // The key, or nothing when it cannot be opened (or created). Paths use
  // backslashes and have no leading backslash (see OpenRegistryKey).
  virtual std::unique_ptr<RegistryKey> Open(RegistryRoot root, std::string_view path,
                                            RegistryAccess access, bool create) = 0;
};

// Opens a key as the program names it: a leading backslash means "from the
// root" and is dropped.
std::unique_ptr<RegistryKey> OpenRegistryKey(Registry& registry, RegistryRoot root,
                                             std::string_view path, RegistryAccess access,
                                             bool create);

// The bytes of a REG_MULTI_SZ value holding these strings.
std::string EncodeMultiString(const std::vector<std::string>& strings);

} // namespace quorvin

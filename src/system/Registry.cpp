#include "system/Registry.h"

#include "base/QuorvinError.h"

#include <cstring>

namespace quorvin {
namespace {

QuorvinError RegistryError(std::string_view pattern, std::string_view name, long status = 0) {
  return QuorvinError(FormatText(pattern, name), static_cast<std::uint32_t>(status));
}

} // namespace

bool RegistryKey::HasValue(std::string_view name) const { return Query(name).Found(); }

std::uint32_t RegistryKey::ReadInteger(std::string_view name) const {
  const RegistryValue value = Query(name);
  if (!value.Found())
    throw RegistryError("Failed to get data for '%s'", name, value.Status);
  if (value.Type != RegistryType::Dword || value.Data.size() < sizeof(std::uint32_t))
    throw RegistryError("Invalid data type for '%s'", name);
  std::uint32_t number = 0;
  std::memcpy(&number, value.Data.data(), sizeof number); // registry data is little-endian
  return number;
}

std::string RegistryKey::ReadString(std::string_view name) const {
  const RegistryValue value = Query(name);
  if (!value.Found() || value.Data.empty())
    return {};
  if (value.Type != RegistryType::String && value.Type != RegistryType::ExpandString)
    throw RegistryError("Invalid data type for '%s'", name);
  // The text ends at its first zero, as a C string read from the buffer would.
  return std::string(value.Data.c_str());
}

void RegistryKey::WriteString(std::string_view name, std::string_view value) {
  std::string data(value);
  data.push_back('\0');
  if (const long status = Set(name, RegistryType::String, data); status != RegistryStatus::Success)
    throw RegistryError("Failed to set data for '%s'", name, status);
}

void RegistryKey::WriteInteger(std::string_view name, std::uint32_t value) {
  char data[sizeof value];
  std::memcpy(data, &value, sizeof value);
  if (const long status = Set(name, RegistryType::Dword, std::string_view(data, sizeof data));
      status != RegistryStatus::Success)
    throw RegistryError("Failed to set data for '%s'", name, status);
}

bool RegistryKey::DeleteValue(std::string_view name) {
  const long status = Delete(name);
  return status == RegistryStatus::Success || status == RegistryStatus::FileNotFound;
}

std::unique_ptr<RegistryKey> OpenRegistryKey(Registry& registry, RegistryRoot root,
                                             std::string_view path, RegistryAccess access,
                                             bool create) {
  if (path.starts_with('\\'))
    path.remove_prefix(1);
  return registry.Open(root, path, access, create);
}

std::string EncodeMultiString(const std::vector<std::string>& strings) {
  std::string data;
  for (const auto& text : strings) {
    data += text;
    data.push_back('\0');
  }
  data.push_back('\0');
  return data;
}

} // namespace quorvin

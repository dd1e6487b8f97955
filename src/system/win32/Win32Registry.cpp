#include "system/win32/Win32Registry.h"

#include "base/win32/HandleOwners.h"

#include <windows.h>

#include <string>
#include <utility>

namespace quorvin {
namespace {

class Win32Key final : public RegistryKey {
public:
  explicit Win32Key(UniqueKey key) : FKey(std::move(key)) {}

  RegistryValue Query(std::string_view name) const override {
    const std::string valueName(name);
    RegistryValue value;
    DWORD type = 0;
    DWORD size = 0;
    LONG status = RegQueryValueExA(FKey.get(), valueName.c_str(), nullptr, &type, nullptr, &size);
    // The value can grow between the two calls: ask again until it fits.
    while (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
      value.Data.resize(size);
      DWORD read = size;
      status = RegQueryValueExA(FKey.get(), valueName.c_str(), nullptr, &type,
                                reinterpret_cast<BYTE*>(value.Data.data()), &read);
      if (status == ERROR_SUCCESS) {
        value.Data.resize(read);
        break;
      }
      size = read;
    }
    value.Status = status;
    value.Type = type;
    if (status != ERROR_SUCCESS)
      value.Data.clear();
    return value;
  }

  long Set(std::string_view name, std::uint32_t type, std::string_view data) override {
    return RegSetValueExA(FKey.get(), std::string(name).c_str(), 0, type,
                          reinterpret_cast<const BYTE*>(data.data()), static_cast<DWORD>(data.size()));
  }

  long Delete(std::string_view name) override {
    return RegDeleteValueA(FKey.get(), std::string(name).c_str());
  }

private:
  UniqueKey FKey;
};

} // namespace

std::unique_ptr<RegistryKey> Win32Registry::Open(RegistryRoot root, std::string_view path,
                                                 RegistryAccess access, bool create) {
  const HKEY rootKey = root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
  const REGSAM rights = access == RegistryAccess::Read ? KEY_READ : KEY_ALL_ACCESS;
  const std::string keyPath(path);
  HKEY key = nullptr;
  const LONG status =
      create ? RegCreateKeyExA(rootKey, keyPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                               rights, nullptr, &key, nullptr)
             : RegOpenKeyExA(rootKey, keyPath.c_str(), 0, rights, &key);
  if (status != ERROR_SUCCESS)
    return nullptr;
  UniqueKey owned(key);
  return std::make_unique<Win32Key>(std::move(owned));
}

} // namespace quorvin

#include "system/AutoStart.h"

#include "base/QuorvinError.h"

#include <string>

namespace quorvin {

bool IsWow64(HostSettings& host) { return host.IsWow64Process(); }

std::string_view RunKeyPath(bool wow64) { return wow64 ? kRunKeyPathWow64 : kRunKeyPath; }

bool GetAutoStart(Registry& registry, HostSettings& host) {
  const auto key = OpenRegistryKey(registry, RegistryRoot::LocalMachine, RunKeyPath(IsWow64(host)),
                                   RegistryAccess::Read, false);
  return key && key->ReadString(kAutoStartValueName).find("-Start") != std::string::npos;
}

void SetAutoStart(Registry& registry, HostSettings& host, bool on) {
  const auto key = OpenRegistryKey(registry, RegistryRoot::LocalMachine, RunKeyPath(IsWow64(host)),
                                   RegistryAccess::ReadWrite, true);
  if (!key) {
    // Turning auto-start on must never look as if it worked; switching it
    // off in a key that cannot exist leaves nothing to delete.
    if (on)
      throw QuorvinError(FormatText("Failed to set data for '%s'", kAutoStartValueName));
    return;
  }
  if (on)
    key->WriteString(kAutoStartValueName, host.ExecutablePath() + std::string(kAutoStartArgument));
  else
    key->DeleteValue(kAutoStartValueName);
}

void EnsureRegistryFlag(Registry& registry, std::string_view keyPath, std::string_view valueName,
                        std::uint32_t value) {
  const auto key = OpenRegistryKey(registry, RegistryRoot::LocalMachine, keyPath,
                                   RegistryAccess::ReadWrite, true);
  if (!key)
    return;
  const std::uint32_t current = key->HasValue(valueName) ? key->ReadInteger(valueName) : 0;
  if (current != 1)
    key->WriteInteger(valueName, value);
}

} // namespace quorvin

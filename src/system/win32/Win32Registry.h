#pragma once
// The registry port over the Reg*A functions.

#include "system/Registry.h"

namespace quorvin {

class Win32Registry final : public Registry {
public:
  std::unique_ptr<RegistryKey> Open(RegistryRoot root, std::string_view path,
                                    RegistryAccess access, bool create) override;
};

} // namespace quorvin

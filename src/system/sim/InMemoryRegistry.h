#pragma once
// A registry held in memory: the registry port for native tests and for the
// keys of the simulation that no file describes. Key and value names match
// without regard to ASCII case, as in the registry. Safe to use from several
// threads.

#include "system/Registry.h"

#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <utility>

namespace quorvin {

class InMemoryRegistry final : public Registry {
public:
  InMemoryRegistry();
  ~InMemoryRegistry() override;

  std::unique_ptr<RegistryKey> Open(RegistryRoot root, std::string_view path,
                                    RegistryAccess access, bool create) override;

  // For tests: the key then cannot be opened or created; or it is created
  // if missing and refuses writes.
  void RefuseOpen(RegistryRoot root, std::string_view path);
  void RefuseWrites(RegistryRoot root, std::string_view path);

  // Removes the key, its values and every key below it.
  void DeleteTree(RegistryRoot root, std::string_view path);

  struct Value {
    std::string Name;
    std::uint32_t Type = RegistryType::None;
    std::string Data;
  };
  struct KeyData {
    std::map<std::string, Value> Values; // by lower-case name
    bool RefusesWrites = false;
  };

private:
  using KeyId = std::pair<RegistryRoot, std::string>; // lower-case path

  static KeyId MakeId(RegistryRoot root, std::string_view path);

  std::shared_ptr<std::mutex> FLock;
  std::map<KeyId, std::shared_ptr<KeyData>> FKeys;
  std::set<KeyId> FRefused;
};

} // namespace quorvin

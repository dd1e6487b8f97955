#include "system/sim/InMemoryRegistry.h"

#include "base/AsciiCase.h"

namespace quorvin {
namespace {

class MemoryKey final : public RegistryKey {
public:
  MemoryKey(std::shared_ptr<std::mutex> lock, std::shared_ptr<InMemoryRegistry::KeyData> data,
            RegistryAccess access)
      : FLock(std::move(lock)), FData(std::move(data)), FAccess(access) {}

  RegistryValue Query(std::string_view name) const override {
    std::lock_guard guard(*FLock);
    const auto found = FData->Values.find(LowerAscii(name));
    if (found == FData->Values.end())
      return {};
    return {RegistryStatus::Success, found->second.Type, found->second.Data};
  }

  long Set(std::string_view name, std::uint32_t type, std::string_view data) override {
    std::lock_guard guard(*FLock);
    if (FAccess == RegistryAccess::Read || FData->RefusesWrites)
      return RegistryStatus::AccessDenied;
    auto& value = FData->Values[LowerAscii(name)];
    if (value.Name.empty())
      value.Name = std::string(name);
    value.Type = type;
    value.Data = std::string(data);
    return RegistryStatus::Success;
  }

  long Delete(std::string_view name) override {
    std::lock_guard guard(*FLock);
    if (FAccess == RegistryAccess::Read || FData->RefusesWrites)
      return RegistryStatus::AccessDenied;
    return FData->Values.erase(LowerAscii(name)) ? RegistryStatus::Success
                                                 : RegistryStatus::FileNotFound;
  }

private:
  std::shared_ptr<std::mutex> FLock;
  std::shared_ptr<InMemoryRegistry::KeyData> FData;
  RegistryAccess FAccess;
};

std::string_view Parent(std::string_view path) {
  const auto slash = path.rfind('\\');
  return slash == std::string_view::npos ? std::string_view() : path.substr(0, slash);
}

} // namespace

InMemoryRegistry::InMemoryRegistry() : FLock(std::make_shared<std::mutex>()) {}
InMemoryRegistry::~InMemoryRegistry() = default;

InMemoryRegistry::KeyId InMemoryRegistry::MakeId(RegistryRoot root, std::string_view path) {
  while (path.ends_with('\\'))
    path.remove_suffix(1);
  return {root, LowerAscii(path)};
}

std::unique_ptr<RegistryKey> InMemoryRegistry::Open(RegistryRoot root, std::string_view path,
                                                    RegistryAccess access, bool create) {
  std::lock_guard guard(*FLock);
  const KeyId id = MakeId(root, path);
  if (FRefused.contains(id))
    return nullptr;
  auto found = FKeys.find(id);
  if (found == FKeys.end()) {
    if (!create)
      return nullptr;
    for (std::string_view at = id.second; !at.empty(); at = Parent(at))
      FKeys.try_emplace({root, std::string(at)}, std::make_shared<KeyData>());
    found = FKeys.find(id);
  }
  return std::make_unique<MemoryKey>(FLock, found->second, access);
}

void InMemoryRegistry::RefuseOpen(RegistryRoot root, std::string_view path) {
  std::lock_guard guard(*FLock);
  FRefused.insert(MakeId(root, path));
}

void InMemoryRegistry::RefuseWrites(RegistryRoot root, std::string_view path) {
  std::unique_ptr<RegistryKey> created = Open(root, path, RegistryAccess::ReadWrite, true);
  std::lock_guard guard(*FLock);
  FKeys[MakeId(root, path)]->RefusesWrites = true;
}

void InMemoryRegistry::DeleteTree(RegistryRoot root, std::string_view path) {
  std::lock_guard guard(*FLock);
  const KeyId id = MakeId(root, path);
  const std::string below = id.second + '\\';
  std::erase_if(FKeys, [&](const auto& entry) {
    return entry.first.first == root &&
           (entry.first.second == id.second || entry.first.second.starts_with(below));
  });
}

} // namespace quorvin

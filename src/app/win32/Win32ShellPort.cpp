#include "app/ShellPort.h"

#include "store/FileIo.h"

#include <windows.h>

#include <shellapi.h>

namespace quorvin {
namespace {

class Win32ShellPort final : public ShellPort {
public:
  void Open(const std::string& verb, const std::string& target) override {
    const std::string resolved = ResolveShellTarget(target, GetExecutableFolder());
    ::ShellExecuteA(nullptr, verb.c_str(), resolved.c_str(), nullptr, nullptr, SW_SHOW);
  }
};

} // namespace

std::unique_ptr<ShellPort> CreatePlatformShellPort() { return std::make_unique<Win32ShellPort>(); }

} // namespace quorvin

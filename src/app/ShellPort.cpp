#include "app/ShellPort.h"

#include "store/FileIo.h"
#include "system/sim/SimulatedNetwork.h"

#include <cctype>
#include <fstream>

namespace quorvin {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// "http:", "mailto:", "file:": a letter, then letters, digits, "+", "-" or
// ".", then ":". One letter and ":" is a drive instead.
bool HasScheme(const std::string& target) {
  const std::size_t colon = target.find(':');
  if (colon == std::string::npos || colon < 2 || !std::isalpha(static_cast<unsigned char>(target[0])))
    return false;
  for (std::size_t i = 1; i < colon; ++i) {
    const unsigned char c = static_cast<unsigned char>(target[i]);
    if (!std::isalnum(c) && c != '+' && c != '-' && c != '.')
      return false;
  }
  return true;
}

} // namespace

std::string ResolveShellTarget(const std::string& target, const std::string& folder) {
  if (target.empty() || IsSeparator(target[0]) || HasScheme(target))
    return target;
  if (target.size() >= 2 && target[1] == ':')
    return target;
  return folder + target;
}

SimulatedShellPort::SimulatedShellPort(std::string folder) : FFolder(std::move(folder)) {}

void SimulatedShellPort::Open(const std::string& verb, const std::string& target) {
  std::string path = FFolder;
  if (!path.empty() && !IsSeparator(path.back()))
    path += '/';
  std::ofstream file(path + "opened.txt", std::ios::binary | std::ios::app);
  file << verb << ' ' << ResolveShellTarget(target, GetExecutableFolder()) << "\r\n";
}

std::unique_ptr<ShellPort> CreateShellPort() {
  if (const auto folder = SimulationFolder())
    return std::make_unique<SimulatedShellPort>(*folder);
  return CreatePlatformShellPort();
}

} // namespace quorvin

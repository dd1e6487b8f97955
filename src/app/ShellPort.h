#pragma once
// Opening a web page, a file or a folder with the shell's verb ("Open").
// Windows hands it to the shell; in simulation mode the verb and the target
// are appended as one line to opened.txt in the simulation folder instead,
// so that nothing starts a browser and tests can see what would have opened.

#include <memory>
#include <string>

namespace quorvin {

class ShellPort {
public:
  virtual ~ShellPort() = default;
  // The result is not examined: a target that does not open is not reported.
  virtual void Open(const std::string& verb, const std::string& target) = 0;
};

// The simulation in simulation mode (simulate.ini), else the platform's.
std::unique_ptr<ShellPort> CreateShellPort();

// The platform's shell (ShellExecuteA on Windows; nothing opens elsewhere).
std::unique_ptr<ShellPort> CreatePlatformShellPort();

// Appends "verb target" as one line (CR LF) to opened.txt in folder.
class SimulatedShellPort final : public ShellPort {
public:
  explicit SimulatedShellPort(std::string folder);
  void Open(const std::string& verb, const std::string& target) override;

private:
  std::string FFolder;
};

// A target that names no place of its own (no drive, no root, no UNC
// share, no "scheme:") is a file beside the executable: folder (with its
// trailing delimiter) is put before it. Anything else is returned as given.
std::string ResolveShellTarget(const std::string& target, const std::string& folder);

} // namespace quorvin

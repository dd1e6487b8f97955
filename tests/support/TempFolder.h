#pragma once
// A fresh folder under the system's temporary folder, removed with its
// contents when the test ends.

#include <string>
#include <string_view>

namespace quorvin::test {

class TempFolder {
public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The full path of a file in the folder.
  std::string File(std::string_view name) const;
  const std::string& Path() const { return FPath; }

private:
  std::string FPath;
};

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, std::string_view bytes);

} // namespace quorvin::test

#pragma once
// The settings file through the Windows profile functions.

#include "store/ProfileFile.h"

namespace quorvin {

class Win32ProfileFile final : public ProfileFile {
public:
  explicit Win32ProfileFile(std::string path) : FPath(std::move(path)) {}

  const std::string& Path() const override { return FPath; }
  bool Exists() const override;
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue) override;
  void WriteString(std::string_view section, std::string_view key, std::string_view value) override;
  void EraseSection(std::string_view section) override;

private:
  std::string FPath;
};

} // namespace quorvin

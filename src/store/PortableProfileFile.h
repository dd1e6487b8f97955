#pragma once
// The profile functions' rules on any platform. Each call reads the file
// anew and each write rewrites it atomically: the whole-file steps of
// deleting a set rewrite it behind this object's back, within one timestamp
// tick and at the same size, so no parsed copy could be trusted.

#include "store/ProfileFile.h"

namespace quorvin {

class IniDocument;

class PortableProfileFile final : public ProfileFile {
public:
  explicit PortableProfileFile(std::string path);

  const std::string& Path() const override { return FPath; }
  bool Exists() const override;
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue) override;
  void WriteString(std::string_view section, std::string_view key, std::string_view value) override;
  void EraseSection(std::string_view section) override;

private:
  IniDocument Load() const;

  std::string FPath;
};

} // namespace quorvin

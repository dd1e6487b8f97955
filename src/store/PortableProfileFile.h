#pragma once
// The profile functions' rules on any platform: reads from a parsed copy of
// the file that is reloaded when the file changes on disk; every write
// rewrites the file atomically.

#include "store/FileIo.h"
#include "store/IniDocument.h"
#include "store/ProfileFile.h"

#include <optional>

namespace quorvin {

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
  IniDocument& Document();
  void Store(IniDocument& document);

  std::string FPath;
  std::optional<IniDocument> FDocument;
  std::optional<FileStamp> FStamp;
};

} // namespace quorvin

#include "store/PortableProfileFile.h"

#include "store/FileIo.h"
#include "store/IniDocument.h"

#include <optional>
#include <utility>

namespace quorvin {

std::string_view TrimDefault(std::string_view defaultValue) {
  while (!defaultValue.empty() && defaultValue.back() == ' ')
    defaultValue.remove_suffix(1);
  return defaultValue;
}

// The bytes of one version of the file, and which version of the file they
// came from.
class PortableProfileFile::ParsedFile {
public:
  // A missing file: no bytes, and a version that proves nothing.
  ParsedFile() = default;
  ParsedFile(std::string bytes, const FileVersion& version) : FDocument(std::move(bytes)), FVersion(version) {}

  const std::string& Bytes() const { return FDocument.Bytes(); }
  const FileVersion& Version() const { return FVersion; }
  // The file was read again and held the same bytes.
  void Confirm(const FileVersion& version) { FVersion = version; }

  std::optional<std::string> Read(std::string_view section, std::string_view key) const {
    return FDocument.Read(section, key);
  }

  void Write(std::string_view section, std::string_view key, std::string_view value) {
    FDocument.Write(section, key, value);
    Changed();
  }
  bool EraseSection(std::string_view section) {
    if (!FDocument.EraseSection(section))
      return false;
    Changed();
    return true;
  }

private:
  // The new bytes are ours alone until they are written; once written, the
  // file's identity will be new and its times too recent to be trusted.
  void Changed() { FVersion.Settled = false; }

  IniDocument FDocument;
  FileVersion FVersion;
};

PortableProfileFile::PortableProfileFile(std::string path) : FPath(std::move(path)) {}

PortableProfileFile::~PortableProfileFile() = default;

bool PortableProfileFile::Exists() const { return FileExists(FPath); }

PortableProfileFile::ParsedFile& PortableProfileFile::Current() {
  if (FParsed && FParsed->Version().Settled && IdentifyFile(FPath) == FParsed->Version().Identity)
    return *FParsed;
  FileVersion version;
  std::optional<std::string> bytes = ReadWholeFile(FPath, version);
  if (!bytes) {
    FParsed = std::make_unique<ParsedFile>();
  } else if (FParsed && FParsed->Bytes() == *bytes) {
    FParsed->Confirm(version);
  } else {
    FParsed = std::make_unique<ParsedFile>(std::move(*bytes), version);
  }
  return *FParsed;
}

void PortableProfileFile::Store() {
  try {
    WriteFileAtomically(FPath, FParsed->Bytes());
  } catch (...) {
    FParsed.reset();
    throw;
  }
}

std::string PortableProfileFile::ReadString(std::string_view section, std::string_view key,
                                            std::string_view defaultValue) {
  const std::optional<std::string> value = Current().Read(section, key);
  std::string result = value.value_or(std::string(TrimDefault(defaultValue)));
  if (result.size() > kValueBufferSize - 1)
    result.resize(kValueBufferSize - 1);
  return result;
}

void PortableProfileFile::WriteString(std::string_view section, std::string_view key,
                                      std::string_view value) {
  Current().Write(section, key, value);
  Store();
}

void PortableProfileFile::EraseSection(std::string_view section) {
  // Erasing what does not exist succeeds without touching the file.
  if (Current().EraseSection(section))
    Store();
}

} // namespace quorvin

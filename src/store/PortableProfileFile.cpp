#include "store/PortableProfileFile.h"

namespace quorvin {

std::string_view TrimDefault(std::string_view defaultValue) {
  while (!defaultValue.empty() && defaultValue.back() == ' ')
    defaultValue.remove_suffix(1);
  return defaultValue;
}

PortableProfileFile::PortableProfileFile(std::string path) : FPath(std::move(path)) {}

bool PortableProfileFile::Exists() const { return GetFileStamp(FPath).has_value(); }

IniDocument& PortableProfileFile::Document() {
  auto stamp = GetFileStamp(FPath);
  if (!FDocument || stamp != FStamp) {
    auto bytes = stamp ? ReadWholeFile(FPath) : std::nullopt;
    FDocument.emplace(bytes.value_or(std::string()));
    FStamp = stamp;
  }
  return *FDocument;
}

void PortableProfileFile::Store(IniDocument& document) {
  try {
    WriteFileAtomically(FPath, document.Bytes());
  } catch (...) {
    FDocument.reset(); // the edit did not reach the disk
    throw;
  }
  FStamp = GetFileStamp(FPath);
}

std::string PortableProfileFile::ReadString(std::string_view section, std::string_view key,
                                            std::string_view defaultValue) {
  std::string value = Document().Read(section, key).value_or(std::string(TrimDefault(defaultValue)));
  if (value.size() > kValueBufferSize - 1)
    value.resize(kValueBufferSize - 1);
  return value;
}

void PortableProfileFile::WriteString(std::string_view section, std::string_view key,
                                      std::string_view value) {
  IniDocument& document = Document();
  document.Write(section, key, value);
  Store(document);
}

void PortableProfileFile::EraseSection(std::string_view section) {
  IniDocument& document = Document();
  const std::size_t before = document.Bytes().size();
  document.EraseSection(section);
  // Erasing what does not exist succeeds without touching the file.
  if (document.Bytes().size() != before)
    Store(document);
}

} // namespace quorvin

#include "store/PortableProfileFile.h"

#include "store/FileIo.h"
#include "store/IniDocument.h"

namespace quorvin {

std::string_view TrimDefault(std::string_view defaultValue) {
  while (!defaultValue.empty() && defaultValue.back() == ' ')
    defaultValue.remove_suffix(1);
  return defaultValue;
}

PortableProfileFile::PortableProfileFile(std::string path) : FPath(std::move(path)) {}

bool PortableProfileFile::Exists() const { return FileExists(FPath); }

IniDocument PortableProfileFile::Load() const {
  return IniDocument(ReadWholeFile(FPath).value_or(std::string()));
}

std::string PortableProfileFile::ReadString(std::string_view section, std::string_view key,
                                            std::string_view defaultValue) {
  std::string value = Load().Read(section, key).value_or(std::string(TrimDefault(defaultValue)));
  if (value.size() > kValueBufferSize - 1)
    value.resize(kValueBufferSize - 1);
  return value;
}

void PortableProfileFile::WriteString(std::string_view section, std::string_view key,
                                      std::string_view value) {
  IniDocument document = Load();
  document.Write(section, key, value);
  WriteFileAtomically(FPath, document.Bytes());
}

void PortableProfileFile::EraseSection(std::string_view section) {
  IniDocument document = Load();
  // Erasing what does not exist succeeds without touching the file.
  if (document.EraseSection(section))
    WriteFileAtomically(FPath, document.Bytes());
}

} // namespace quorvin

#pragma once
// A profile file held in memory: the profile rules over bytes, as the
// portable profile file applies them to its file. Whole small files (the
// record of the last switch) are built and read this way, then written at
// once.

#include "store/IniDocument.h"
#include "store/ProfileFile.h"

namespace quorvin {

class MemoryProfileFile final : public ProfileFile {
public:
  explicit MemoryProfileFile(std::string bytes = {}) : FDocument(std::move(bytes)) {}

  const std::string& Bytes() const { return FDocument.Bytes(); }

  const std::string& Path() const override { return FPath; }
  bool Exists() const override { return true; }
  std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) override {
    std::string value = FDocument.Read(section, key).value_or(std::string(TrimDefault(defaultValue)));
    if (value.size() > kValueBufferSize - 1)
      value.resize(kValueBufferSize - 1);
    return value;
  }
  void WriteString(std::string_view section, std::string_view key, std::string_view value) override {
    FDocument.Write(section, key, value);
  }
  void EraseSection(std::string_view section) override { FDocument.EraseSection(section); }

private:
  IniDocument FDocument;
  std::string FPath = "(memory)";
};

} // namespace quorvin

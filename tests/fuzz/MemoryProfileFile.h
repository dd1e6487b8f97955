#pragma once
// The profile rules over bytes in memory, as the portable profile file
// applies them to its file: a fuzz target loads and saves options and sets
// thousands of times a second this way, and touches the disk only for the
// steps that rewrite the file by its path.

#include "store/IniDocument.h"
#include "store/ProfileFile.h"

namespace quorvin::fuzz {

class MemoryProfileFile final : public ProfileFile {
public:
  explicit MemoryProfileFile(std::string bytes) : FDocument(std::move(bytes)) {}

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

} // namespace quorvin::fuzz

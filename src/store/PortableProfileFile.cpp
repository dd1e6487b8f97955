#include "store/PortableProfileFile.h"

#include "base/AsciiCase.h"
#include "store/FileIo.h"
#include "store/IniDocument.h"

#include <optional>
#include <unordered_map>
#include <utility>

namespace quorvin {

std::string_view TrimDefault(std::string_view defaultValue) {
  while (!defaultValue.empty() && defaultValue.back() == ' ')
    defaultValue.remove_suffix(1);
  return defaultValue;
}

// The bytes of one version of the file, where each section starts, and
// which version of the file they came from.
class PortableProfileFile::ParsedFile {
public:
  // A missing file: no bytes, and a version that proves nothing.
  ParsedFile() = default;
  ParsedFile(std::string bytes, const FileVersion& version) : FDocument(std::move(bytes)), FVersion(version) {}

  const std::string& Bytes() const { return FDocument.Bytes(); }
  const FileVersion& Version() const { return FVersion; }
  // The file was read again and held the same bytes.
  void Confirm(const FileVersion& version) { FVersion = version; }

  // The lines of the first section of that name (the one the profile
  // functions read), from its header up to the next header.
  std::optional<std::string_view> Section(std::string_view name);

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
  struct Span {
    std::size_t Begin;
    std::size_t End;
  };

  // The new bytes are ours alone until they are written; once written, the
  // file's identity will be new and its times too recent to be trusted.
  void Changed() {
    FSections.reset();
    FVersion.Settled = false;
  }
  void FindSections();

  IniDocument FDocument;
  FileVersion FVersion;
  // Lower-cased section name to its lines; made at the first read.
  std::optional<std::unordered_map<std::string, Span>> FSections;
};

void PortableProfileFile::ParsedFile::FindSections() {
  const std::string_view bytes = Bytes();
  auto& sections = FSections.emplace();
  Span* open = nullptr; // the section whose end is the next header
  for (std::size_t pos = 0; pos < bytes.size();) {
    std::size_t end = pos;
    while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
      ++end;
    if (const auto name = HeaderName(bytes.substr(pos, end - pos))) {
      if (open)
        open->End = pos;
      // The first of sections with one name wins, as in the reads.
      const auto [entry, added] = sections.try_emplace(LowerAscii(*name), Span{pos, bytes.size()});
      open = added ? &entry->second : nullptr;
    }
    pos = end;
    while (pos < bytes.size() && (bytes[pos] == '\r' || bytes[pos] == '\n'))
      ++pos;
  }
}

std::optional<std::string_view> PortableProfileFile::ParsedFile::Section(std::string_view name) {
  if (!FSections)
    FindSections();
  const auto found = FSections->find(LowerAscii(TrimSpaces(name)));
  if (found == FSections->end())
    return std::nullopt;
  return std::string_view(Bytes()).substr(found->second.Begin, found->second.End - found->second.Begin);
}

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
  std::optional<std::string> value;
  // The section's own lines answer as the whole file would.
  if (const auto lines = Current().Section(section))
    value = IniDocument(std::string(*lines)).Read(section, key);
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

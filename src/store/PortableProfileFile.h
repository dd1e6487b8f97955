#pragma once
// The profile functions' rules on any platform, over a parsed copy of the
// file that is kept between calls and trusted only while the file is
// provably the one it was parsed from:
// - a version read longer ago than its timestamps can blur (FileVersion::
//   Settled) is kept while the path names a file of the same identity
//   (volume, index, size, modification and status-change times): any change
//   since, in place or by a file put in its place, shows there;
// - any other version (one just changed, one this object wrote itself, or
//   where identities cannot be had) is read again at the next call and kept
//   only when the bytes are the same.
// So a change made behind this object's back, the whole-file rewrites of
// deleting a set included, is seen at the next call, and each write starts
// from the file as it is. Each write rewrites the file atomically.

#include "store/ProfileFile.h"

#include <memory>

namespace quorvin {

class PortableProfileFile final : public ProfileFile {
public:
  explicit PortableProfileFile(std::string path);
  ~PortableProfileFile() override;

  const std::string& Path() const override { return FPath; }
  bool Exists() const override;
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue) override;
  void WriteString(std::string_view section, std::string_view key, std::string_view value) override;
  void EraseSection(std::string_view section) override;

private:
  class ParsedFile;

  // The file as it is now, parsed.
  ParsedFile& Current();
  // Writes the changed copy; a refused write drops it, since it no longer
  // matches the file.
  void Store();

  std::string FPath;
  std::unique_ptr<ParsedFile> FParsed;
};

} // namespace quorvin

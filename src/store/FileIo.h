#pragma once
// Whole-file access for the operations that read or rewrite the settings file
// as a whole. Implemented once for POSIX and once for Win32.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvin {

struct FileStamp {
  std::uint64_t Size = 0;
  std::int64_t WriteTime = 0; // in the platform's finest unit
  bool operator==(const FileStamp&) const = default;
};

std::optional<FileStamp> GetFileStamp(const std::string& path);

// The file's bytes; nothing when it does not exist. Throws QuorvinError when
// it exists but cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Replaces the file by a new one holding bytes, so that a crash or a full
// disk leaves either the old file or the new one: the bytes go to a temporary
// file beside it, are flushed to disk, and the temporary file is then moved
// over the old one. A read-only file or a missing folder is refused with
// "Unable to write to %s".
void WriteFileAtomically(const std::string& path, std::string_view bytes);

// The folder of the running executable, with a trailing delimiter.
std::string GetExecutableFolder();

} // namespace quorvin

#pragma once
// Whole-file access for the operations that read or rewrite the settings file
// as a whole. Implemented once for POSIX and once for Win32.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvin {

bool FileExists(const std::string& path);
// Deletes the file; true also when there was none.
bool RemoveFile(const std::string& path);

// What tells one version of a file from another without reading it: the
// file that the path names (volume and index), its size and its times of
// last modification and last status change, in nanoseconds.
struct FileIdentity {
  std::uint64_t Volume = 0;
  std::uint64_t Index = 0;
  std::uint64_t Size = 0;
  std::int64_t Modified = 0;
  std::int64_t Changed = 0;
  bool operator==(const FileIdentity&) const = default;
};

// The version of a file that one read saw.
struct FileVersion {
  FileIdentity Identity;
  // True when any later change of whatever the path names is bound to show
  // in its identity: the file had last changed longer before the read began
  // than its timestamps' granularity and the clock's tick together. A change
  // within one tick of another can carry the same times, and a file that
  // replaces this one can take over its index, but such a file is new and
  // its status-change time is later. False where identities cannot be had
  // (Windows): only the bytes can tell there.
  bool Settled = false;
};

// The identity of the file at path now; nothing when it does not exist or
// cannot be examined.
std::optional<FileIdentity> IdentifyFile(const std::string& path);

// The file's bytes; nothing when it does not exist. Throws QuorvinError when
// it exists but cannot be opened or read to its end: a part of a file must
// never pass for the whole.
std::optional<std::string> ReadWholeFile(const std::string& path);
// The same, telling which version of the file was read.
std::optional<std::string> ReadWholeFile(const std::string& path, FileVersion& version);

// Replaces the file by a new one holding bytes, so that a crash or a full
// disk leaves either the old file or the new one: the bytes go to a newly
// created temporary file of a unique name beside it, are flushed to disk,
// and the temporary file then takes the old one's place, keeping its
// attributes and security (Windows) or its mode (POSIX). A read-only file or
// a missing folder is refused with "Unable to write to %s".
void WriteFileAtomically(const std::string& path, std::string_view bytes);

// The folder of the running executable, with a trailing delimiter.
std::string GetExecutableFolder();

} // namespace quorvin

#pragma once
// Whole-file access for the operations that read or rewrite the settings file
// as a whole. Implemented once for POSIX and once for Win32.

#include <optional>
#include <string>
#include <string_view>

namespace quorvin {

bool FileExists(const std::string& path);

// The file's bytes; nothing when it does not exist. Throws QuorvinError when
// it exists but cannot be opened or read to its end: a part of a file must
// never pass for the whole.
std::optional<std::string> ReadWholeFile(const std::string& path);

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

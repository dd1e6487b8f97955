#pragma once
// The settings file, value by value, as the Windows profile functions offer it.
// Each call opens the file and closes it again; the file is never held open
// between calls (an engine may keep what it parsed, while it can prove it
// current).

#include <cstddef>
#include <string>
#include <string_view>

namespace quorvin {

class ProfileFile {
public:
  // Values are read through a buffer of this many characters, NUL included.
  static constexpr std::size_t kValueBufferSize = 2048;

  virtual ~ProfileFile() = default;

  virtual const std::string& Path() const = 0;
  virtual bool Exists() const = 0;
  // The value, or the default (trailing blanks removed) when the key is
  // missing; at most kValueBufferSize - 1 characters.
  virtual std::string ReadString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue) = 0;
  // Throws QuorvinError "Unable to write to %s" when the write is refused.
  virtual void WriteString(std::string_view section, std::string_view key,
                           std::string_view value) = 0;
  virtual void EraseSection(std::string_view section) = 0;
};

// What ReadString makes of a default: the profile functions drop its
// trailing blanks.
std::string_view TrimDefault(std::string_view defaultValue);

} // namespace quorvin

#include "system/AccessRules.h"

#include "base/AsciiCase.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace quorvin {
namespace {

// Access mask bits (winnt.h). For files the SDDL letters of the directory
// service rights stand for the file rights of the same bit: "DC" (0x2) is
// write data or add a file, "LC" (0x4) append data or add a folder, "DT"
// (0x40) delete a child.
constexpr std::uint32_t kGenericAll = 0x10000000;
constexpr std::uint32_t kGenericWrite = 0x40000000;
constexpr std::uint32_t kDelete = 0x00010000;
constexpr std::uint32_t kWriteDac = 0x00040000;
constexpr std::uint32_t kWriteOwner = 0x00080000;
constexpr std::uint32_t kWriteData = 0x00000002;
constexpr std::uint32_t kAppendData = 0x00000004;
constexpr std::uint32_t kDeleteChild = 0x00000040;
constexpr std::uint32_t kChangingRights =
    kGenericAll | kGenericWrite | kDelete | kWriteDac | kWriteOwner | kWriteData | kAppendData | kDeleteChild;

struct RightName {
  std::string_view Name;
  std::uint32_t Mask;
};

constexpr RightName kRightNames[] = {
    {"GA", 0x10000000}, {"GR", 0x80000000}, {"GW", 0x40000000}, {"GX", 0x20000000}, {"RC", 0x00020000},
    {"SD", 0x00010000}, {"WD", 0x00040000}, {"WO", 0x00080000}, {"CC", 0x00000001}, {"DC", 0x00000002},
    {"LC", 0x00000004}, {"SW", 0x00000008}, {"RP", 0x00000010}, {"WP", 0x00000020}, {"DT", 0x00000040},
    {"LO", 0x00000080}, {"CR", 0x00000100}, {"FA", 0x001F01FF}, {"FR", 0x00120089}, {"FW", 0x00120116},
    {"FX", 0x001200A0}, {"KA", 0x000F003F}, {"KR", 0x00020019}, {"KW", 0x00020006}, {"KX", 0x00020019},
};

constexpr std::string_view kTrustedSids[] = {
    "SY", "S-1-5-18",     // LocalSystem
    "BA", "S-1-5-32-544", // BUILTIN\Administrators
    "S-1-5-80-956008885-3418522649-1831038044-1850292795-2001190935", // TrustedInstaller
    "CO", "S-1-3-0",      // CREATOR OWNER
};

// Entry types that grant: plain, object, callback and callback object.
constexpr std::string_view kAllowingTypes[] = {"A", "OA", "XA", "ZA"};

template <std::size_t N> bool Among(std::string_view text, const std::string_view (&list)[N]) {
  for (const std::string_view item : list)
    if (EqualsIgnoringCase(text, item))
      return true;
  return false;
}

std::optional<std::uint32_t> Number(std::string_view text, unsigned base) {
  if (text.empty() || text.size() > 10)
    return std::nullopt;
  std::uint64_t value = 0;
  for (const char c : text) {
    const char lower = LowerAscii(c);
    unsigned digit = 0;
    if (c >= '0' && c <= '9')
      digit = static_cast<unsigned>(c - '0');
    else if (base == 16 && lower >= 'a' && lower <= 'f')
      digit = static_cast<unsigned>(lower - 'a' + 10);
    else
      return std::nullopt;
    value = value * base + digit;
  }
  if (value > 0xFFFFFFFFu)
    return std::nullopt;
  return static_cast<std::uint32_t>(value);
}

// The mask of an entry's rights: a number (hexadecimal with "0x") or
// two-letter names. Nothing when the text is neither.
std::optional<std::uint32_t> RightsMask(std::string_view rights) {
  if (rights.size() > 2 && rights[0] == '0' && LowerAscii(rights[1]) == 'x')
    return Number(rights.substr(2), 16);
  if (!rights.empty() && rights[0] >= '0' && rights[0] <= '9')
    return Number(rights, 10);
  if (rights.size() % 2 != 0)
    return std::nullopt;
  std::uint32_t mask = 0;
  for (std::size_t at = 0; at < rights.size(); at += 2) {
    bool known = false;
    for (const RightName& right : kRightNames)
      if (EqualsIgnoringCase(rights.substr(at, 2), right.Name)) {
        mask |= right.Mask;
        known = true;
      }
    if (!known)
      return std::nullopt;
  }
  return mask;
}

// Entry flags come as two-letter names ("OICIIO"); "IO" marks an entry that
// is only passed on to children.
bool InheritOnly(std::string_view flags) {
  for (std::size_t at = 0; at + 1 < flags.size(); at += 2)
    if (EqualsIgnoringCase(flags.substr(at, 2), "IO"))
      return true;
  return false;
}

// The ";"-separated fields of an entry's text (without its parentheses); a
// condition of a callback entry may hold parentheses of its own.
std::vector<std::string_view> Fields(std::string_view entry) {
  std::vector<std::string_view> fields;
  int depth = 0;
  std::size_t start = 0;
  for (std::size_t at = 0; at < entry.size(); ++at) {
    if (entry[at] == '(')
      ++depth;
    else if (entry[at] == ')')
      --depth;
    else if (entry[at] == ';' && depth == 0) {
      fields.push_back(entry.substr(start, at - start));
      start = at + 1;
    }
  }
  fields.push_back(entry.substr(start));
  return fields;
}

// True when this one entry lets someone untrusted change the object;
// nothing when its text cannot be read.
std::optional<bool> EntryGrantsChange(std::string_view entry) {
  const std::vector<std::string_view> fields = Fields(entry);
  if (fields.size() < 6)
    return std::nullopt;
  if (!Among(fields[0], kAllowingTypes) || InheritOnly(fields[1]))
    return false;
  const std::optional<std::uint32_t> mask = RightsMask(fields[2]);
  if (!mask)
    return std::nullopt;
  return (*mask & kChangingRights) != 0 && !Among(fields[5], kTrustedSids);
}

// Where the DACL part starts (after "D:") and ends; nothing when the text
// has none. Parts begin with a letter and ":" outside parentheses, and no
// SID holds a colon.
std::optional<std::string_view> DaclPart(std::string_view sddl) {
  int depth = 0;
  std::optional<std::size_t> start;
  for (std::size_t at = 0; at < sddl.size(); ++at) {
    if (sddl[at] == '(')
      ++depth;
    else if (sddl[at] == ')')
      --depth;
    else if (sddl[at] == ':' && depth == 0 && at > 0) {
      if (start)
        return sddl.substr(*start, at - 1 - *start);
      if (UpperAscii(sddl[at - 1]) == 'D')
        start = at + 1;
    }
  }
  if (start)
    return sddl.substr(*start);
  return std::nullopt;
}

} // namespace

bool WritableByNonAdministrators(std::string_view sddl) {
  const std::optional<std::string_view> dacl = DaclPart(sddl);
  if (!dacl)
    return true;
  const std::size_t firstEntry = dacl->find('(');
  const std::string_view flags = dacl->substr(0, firstEntry);
  if (flags.find("NO_ACCESS_CONTROL") != std::string_view::npos)
    return true;
  if (firstEntry == std::string_view::npos)
    return false;
  int depth = 0;
  std::size_t entryStart = 0;
  for (std::size_t at = firstEntry; at < dacl->size(); ++at) {
    const char c = (*dacl)[at];
    if (depth == 0 && c != '(')
      return true; // text between the entries
    if (c == '(' && depth++ == 0)
      entryStart = at + 1;
    else if (c == ')' && --depth == 0) {
      const std::optional<bool> grants = EntryGrantsChange(dacl->substr(entryStart, at - entryStart));
      if (!grants || *grants)
        return true;
    }
  }
  return depth != 0;
}

} // namespace quorvin

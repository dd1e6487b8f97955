#pragma once
// The rules of the four octet fields of the IP address edit: which keys,
// characters and pastes a field accepts, and where the focus goes as octets
// are completed or left. Pure functions: the effects come back as values
// that the control carries out, so each rule runs without a window.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvin {

inline constexpr int kOctetCount = 4;
inline constexpr std::size_t kOctetMaxLength = 3;
inline constexpr std::int32_t kOctetMax = 255;

// Virtual-key codes that the rules treat specially.
inline constexpr unsigned kKeySpace = 0x20;
inline constexpr unsigned kKeyLeft = 0x25;
inline constexpr unsigned kKeyRight = 0x27;
inline constexpr unsigned kKeyDelete = 0x2E;
inline constexpr unsigned kKeyDecimal = 0x6E;
inline constexpr unsigned kKeyOemPeriod = 0xBE;

// What the rules see of the four fields; fields are numbered 1 to 4.
struct TOctetView {
  std::array<std::string, kOctetCount> Texts;
  std::array<bool, kOctetCount> Focusable{true, true, true, true};

  const std::string& Text(int field) const { return Texts[field - 1]; }
  bool CanFocus(int field) const { return Focusable[field - 1]; }
};

// What the control does after a rule ran. 0 means "no field".
struct TOctetEffect {
  int Focus = 0;     // field that receives the focus
  int SelectAll = 0; // field whose whole text is selected
  bool Beep = false;

  bool operator==(const TOctetEffect&) const = default;
};

struct TOctetKeyResult {
  unsigned Key = 0; // the key the field's own processing sees; 0 swallows it
  TOctetEffect Effect;

  bool operator==(const TOctetKeyResult&) const = default;
};

// An optional sign followed by decimal digits, the whole text, within 32
// bits; anything else is no number.
std::optional<std::int32_t> ParseOctetNumber(std::string_view text);

// True when the text, blank counting as 0, is a number of at most 255.
// Text that is no number is out of range.
bool OctetInRange(std::string_view text);

bool KeyAllowed(unsigned key);
bool OctetCharAllowed(unsigned char character);
bool OctetPasteAllowed(std::string_view clipboardText);

TOctetKeyResult OctetKeyDown(int field, unsigned key, const TOctetView& view);
TOctetEffect OctetChange(int field, const TOctetView& view);

// The value to write to the field's octet when it is left, if any.
std::optional<std::int32_t> OctetExit(int field, const TOctetView& view);

// Left edge of a field's text that is drawn centred in its client area.
int CentredTextLeft(int clientWidth, int textWidth);

} // namespace quorvin

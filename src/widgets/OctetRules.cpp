#include "widgets/OctetRules.h"

#include <charconv>
#include <limits>

namespace quorvin {

namespace {

std::string_view TrimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos)
    return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

bool IsNavigationKey(unsigned key) {
  return key == kKeyLeft || key == kKeyRight || key == kKeyDelete;
}

// Field n is left towards a neighbour: only a valid octet lets the focus go.
// Between fields 4 and 1 an invalid octet just keeps the focus, elsewhere
// it is selected so that the next digit replaces it.
TOctetEffect MoveFrom(int field, int target, bool wraps, const TOctetView& view) {
  TOctetEffect effect;
  if (OctetInRange(view.Text(field))) {
    if (view.CanFocus(target))
      effect.Focus = target;
  } else if (!wraps) {
    effect.SelectAll = field;
    effect.Beep = true;
  }
  return effect;
}

} // namespace

std::optional<std::int32_t> ParseOctetNumber(std::string_view text) {
  std::size_t start = 0;
  bool negative = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    negative = text[0] == '-';
    start = 1;
  }
  const std::string_view digits = text.substr(start);
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos)
    return std::nullopt;
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size())
    return std::nullopt;
  if (negative)
    value = -value;
  if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
    return std::nullopt;
  return static_cast<std::int32_t>(value);
}

bool OctetInRange(std::string_view text) {
  std::string_view trimmed = TrimBlanks(text);
  if (trimmed.empty())
    trimmed = "0";
  const auto value = ParseOctetNumber(trimmed);
  return value && *value <= kOctetMax;
}

bool KeyAllowed(unsigned key) {
  if (IsNavigationKey(key))
    return true;
  const bool navigationOrEditing = key >= 0x21 && key <= 0x2F;
  const bool lettersAndKeypad = key >= 0x3A && key <= 0x7E;
  return !navigationOrEditing && !lettersAndKeypad;
}

// 0x7F and above are refused too: the fields only ever hold digits, and a
// character outside ASCII would leave an octet that is no number.
bool OctetCharAllowed(unsigned char character) {
  return character < 0x20 || (character >= '0' && character <= '9');
}

bool OctetPasteAllowed(std::string_view clipboardText) {
  const auto value = ParseOctetNumber(clipboardText.substr(0, kOctetMaxLength));
  return value && *value >= 0 && *value <= kOctetMax;
}

TOctetKeyResult OctetKeyDown(int field, unsigned key, const TOctetView& view) {
  if (key == kKeyOemPeriod || key == kKeyDecimal || key == kKeySpace)
    key = kKeyRight;
  if (!KeyAllowed(key))
    return {0, TOctetEffect{.Beep = true}};

  TOctetKeyResult result{key, {}};
  if (key == kKeyRight) {
    const bool wraps = field == kOctetCount;
    result.Effect = MoveFrom(field, wraps ? 1 : field + 1, wraps, view);
  } else if (key == kKeyLeft) {
    const bool wraps = field == 1;
    result.Effect = MoveFrom(field, wraps ? kOctetCount : field - 1, wraps, view);
  }
  return result;
}

TOctetEffect OctetChange(int field, const TOctetView& view) {
  TOctetEffect effect;
  const std::string& text = view.Text(field);
  if (text.size() != kOctetMaxLength)
    return effect;
  const bool last = field == kOctetCount;
  const int next = last ? 1 : field + 1;
  if (OctetInRange(text)) {
    if (view.CanFocus(next))
      effect.Focus = next;
  } else {
    effect.SelectAll = field;
    effect.Beep = !last;
  }
  return effect;
}

std::optional<std::int32_t> OctetExit(int field, const TOctetView& view) {
  if (OctetInRange(view.Text(field)))
    return std::nullopt;
  return kOctetMax;
}

int CentredTextLeft(int clientWidth, int textWidth) {
  return (clientWidth - textWidth) / 2;
}

} // namespace quorvin

#include "widgets/RIPEditModel.h"

namespace quorvin {

std::string JoinIPString(const TOctetTexts& texts) {
  bool allEmpty = true;
  for (const auto& text : texts)
    allEmpty = allEmpty && text.empty();
  if (allEmpty)
    return {};
  return texts[0] + "." + texts[1] + "." + texts[2] + "." + texts[3];
}

TOctetSlots SplitIPString(std::string_view text) {
  TOctetSlots slots{};
  for (auto& slot : slots) {
    if (text.empty())
      break;
    const auto dot = text.find('.');
    const std::string_view part = text.substr(0, dot);
    text = dot == std::string_view::npos ? std::string_view{} : text.substr(dot + 1);
    slot = static_cast<std::uint8_t>(static_cast<std::uint32_t>(ParseOctetNumber(part).value_or(0)) & 0xFF);
  }
  return slots;
}

std::int32_t OctetValue(std::string_view text) {
  return ParseOctetNumber(text).value_or(0);
}

unsigned TRIPEditModel::KeyDown(int field, unsigned key) {
  const TOctetKeyResult result = OctetKeyDown(field, key, View());
  Carry(result.Effect);
  return result.Key;
}

void TRIPEditModel::Change(int field) {
  Carry(OctetChange(field, View()));
}

// The corrected "255" is a change like any other: its three characters move
// the focus on as a typed "255" would.
void TRIPEditModel::Exit(int field) {
  if (const auto correction = OctetExit(field, View()))
    SetIPSec(field, *correction);
}

std::string TRIPEditModel::IPString() const {
  TOctetTexts texts;
  for (int field = 1; field <= kOctetCount; ++field)
    texts[field - 1] = FFields.Text(field);
  return JoinIPString(texts);
}

void TRIPEditModel::SetIPString(std::string_view text) {
  FIPString = std::string(text);
  if (FIPString.empty()) {
    for (int field = 1; field <= kOctetCount; ++field)
      SetFieldText(field, {});
    for (int field = 1; field <= kOctetCount; ++field)
      SetIPSec(field, 0);
    return;
  }
  const TOctetSlots slots = SplitIPString(FIPString);
  for (int field = 1; field <= kOctetCount; ++field)
    SetIPSec(field, slots[field - 1]);
}

std::int32_t TRIPEditModel::IPSec(int field) const {
  return OctetValue(FFields.Text(field));
}

// A 0 written to a control that never had an address leaves the field
// blank, so that a freshly created control stays empty.
void TRIPEditModel::SetIPSec(int field, std::int32_t value) {
  FIPSec[field - 1] = value > kOctetMax ? kOctetMax : value;
  if (!FIPString.empty() || value != 0)
    SetFieldText(field, std::to_string(FIPSec[field - 1]));
}

TOctetView TRIPEditModel::View() const {
  TOctetView view;
  for (int field = 1; field <= kOctetCount; ++field) {
    view.Texts[field - 1] = FFields.Text(field);
    view.Focusable[field - 1] = FFields.CanFocus(field);
  }
  return view;
}

void TRIPEditModel::Carry(const TOctetEffect& effect) {
  if (effect.SelectAll != 0)
    FFields.SelectAll(effect.SelectAll);
  if (effect.Beep)
    FFields.Beep();
  if (effect.Focus != 0)
    FFields.Focus(effect.Focus);
}

void TRIPEditModel::SetFieldText(int field, const std::string& text) {
  if (FFields.Text(field) != text)
    FFields.SetText(field, text);
}

} // namespace quorvin

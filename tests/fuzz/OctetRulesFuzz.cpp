// The IP address edit's rules driven by any sequence of keys, characters,
// pastes, leaving of fields and writes of the address. Whatever the order:
// a field never holds more than three characters, never a letter or a
// blank; a left field holds a value of at most 255 or nothing; a written
// address shows each part's low 8 bits in decimal; the focus stays within
// the four fields; and the dotted text is the four texts joined.
#include "fuzz/FuzzCheck.h"

#include "widgets/RIPEditModel.h"

#include <string>

using namespace quorvin;

namespace {

class Fields : public IOctetFields {
public:
  std::string Text(int field) const override { return FTexts.at(Index(field)); }
  void SetText(int field, const std::string& text) override {
    FUZZ_CHECK(FTexts.at(Index(field)) != text); // only real changes are reported
    FTexts[Index(field)] = text;
    Model->Change(field);
  }
  bool CanFocus(int field) const override { return Focusable.at(Index(field)); }
  void Focus(int field) override {
    FUZZ_CHECK(CanFocus(field));
    Focused = field;
  }
  void SelectAll(int field) override { Index(field); }
  void Beep() override {}

  // What the edit itself does with a character that passed the filter or
  // with an allowed paste: insert at the end, up to its three characters.
  void Insert(int field, std::string_view text) {
    std::string& current = FTexts[Index(field)];
    const std::string inserted(text.substr(0, kOctetMaxLength - std::min(current.size(), kOctetMaxLength)));
    if (!inserted.empty())
      SetText(field, current + inserted);
  }
  void Backspace(int field) {
    if (const std::string& current = FTexts[Index(field)]; !current.empty())
      SetText(field, current.substr(0, current.size() - 1));
  }

  TRIPEditModel* Model = nullptr;
  std::array<bool, kOctetCount> Focusable{true, true, true, true};
  int Focused = 1;

private:
  static std::size_t Index(int field) {
    FUZZ_CHECK(field >= 1 && field <= kOctetCount);
    return static_cast<std::size_t>(field - 1);
  }
  TOctetTexts FTexts;
};

bool OctetText(std::string_view text) {
  if (text.size() > kOctetMaxLength)
    return false;
  // A paste passes "+1" or "-0" as the integers 1 and 0.
  return text.find_first_not_of("0123456789+-") == std::string_view::npos;
}

// An octet as the control writes it: decimal 0 to 255, no leading zero.
bool Canonical(std::string_view text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos &&
         (text.size() == 1 || text[0] != '0') && OctetInRange(text);
}

void CheckWritten(const Fields& fields, std::string_view address) {
  if (address.empty()) {
    for (int field = 1; field <= kOctetCount; ++field)
      FUZZ_CHECK(fields.Text(field).empty());
    return;
  }
  const TOctetSlots slots = SplitIPString(address);
  for (int field = 1; field <= kOctetCount; ++field)
    FUZZ_CHECK(fields.Text(field) == std::to_string(slots[static_cast<std::size_t>(field - 1)]));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  FuzzedDataProvider data(bytes, size);
  Fields fields;
  TRIPEditModel model(fields);
  fields.Model = &model;
  std::string written; // the address last written
  for (auto& focusable : fields.Focusable)
    focusable = data.ConsumeIntegralInRange(0, 7) != 0;
  while (data.remaining_bytes() > 0) {
    const int field = data.ConsumeIntegralInRange(1, kOctetCount);
    switch (data.ConsumeIntegralInRange(0, 6)) {
    case 0: {
      const auto key = data.ConsumeIntegralInRange<unsigned>(0, 0xFF);
      const unsigned passed = model.KeyDown(field, key);
      FUZZ_CHECK(passed == 0 || KeyAllowed(passed));
      if (passed == kKeyDelete)
        fields.Backspace(field);
      break;
    }
    case 1: {
      const auto character = data.ConsumeIntegral<unsigned char>();
      if (character == '\b')
        fields.Backspace(field);
      else if (OctetCharAllowed(character) && character >= 0x20)
        fields.Insert(field, std::string(1, static_cast<char>(character)));
      break;
    }
    case 2:
      if (const std::string clipboard = data.ConsumeRandomLengthString(12); OctetPasteAllowed(clipboard))
        fields.Insert(field, clipboard);
      break;
    case 3:
      model.Exit(field);
      FUZZ_CHECK(fields.Text(field).empty() || OctetInRange(fields.Text(field)));
      break;
    case 4: {
      const std::string address = data.ConsumeRandomLengthString(24);
      model.SetIPString(address);
      written = address;
      CheckWritten(fields, address);
      break;
    }
    case 5: {
      // The control writes no negative octet. A 0 leaves the field of a
      // control that was never given an address as it is.
      const auto value = data.ConsumeIntegralInRange<std::int32_t>(0, INT32_MAX);
      const std::string before = fields.Text(field);
      model.SetIPSec(field, value);
      const std::string expected = written.empty() && value == 0 ? before : std::to_string(std::min(value, kOctetMax));
      FUZZ_CHECK(fields.Text(field) == expected);
      break;
    }
    default: {
      // What the window shows is written back, as a load after a save
      // does: a complete address comes back unchanged.
      const std::string shown = model.IPString();
      bool complete = true;
      for (int each = 1; each <= kOctetCount; ++each)
        complete = complete && Canonical(fields.Text(each));
      model.SetIPString(shown);
      written = shown;
      if (complete)
        FUZZ_CHECK(model.IPString() == shown);
      break;
    }
    }
    for (int each = 1; each <= kOctetCount; ++each)
      FUZZ_CHECK(OctetText(fields.Text(each)));
    FUZZ_CHECK(fields.Focused >= 1 && fields.Focused <= kOctetCount);
  }
  return 0;
}

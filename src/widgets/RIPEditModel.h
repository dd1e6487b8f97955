#pragma once
// The IP address edit's own state and its event handling, over the four
// edit fields seen through a small port. The window layer implements the
// port with real edit controls; tests implement it in memory.

#include "widgets/OctetRules.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace quorvin {

// The four octet fields, numbered 1 to 4. SetText is only called with a
// text different from the field's, and the implementation reports the
// change back through TRIPEditModel::Change, as an edit control does.
class IOctetFields {
public:
  virtual ~IOctetFields() = default;
  virtual std::string Text(int field) const = 0;
  virtual void SetText(int field, const std::string& text) = 0;
  virtual bool CanFocus(int field) const = 0;
  virtual void Focus(int field) = 0;
  virtual void SelectAll(int field) = 0;
  virtual void Beep() = 0;
};

using TOctetTexts = std::array<std::string, kOctetCount>;
using TOctetSlots = std::array<std::uint8_t, kOctetCount>;

// The dotted text of four field texts; empty when all four are empty.
std::string JoinIPString(const TOctetTexts& texts);

// Up to four dot-separated parts, each a number kept to its low 8 bits;
// missing parts and parts that are no number give 0.
TOctetSlots SplitIPString(std::string_view text);

// A field's text as an octet value: 0 when empty or no number.
std::int32_t OctetValue(std::string_view text);

class TRIPEditModel {
public:
  explicit TRIPEditModel(IOctetFields& fields) : FFields(fields) {}
  TRIPEditModel(const TRIPEditModel&) = delete;
  TRIPEditModel& operator=(const TRIPEditModel&) = delete;

  // Field events. KeyDown returns the key that the field goes on to
  // process, 0 when it is swallowed.
  unsigned KeyDown(int field, unsigned key);
  void Change(int field);
  void Exit(int field);

  std::string IPString() const;
  void SetIPString(std::string_view text);
  std::int32_t IPSec(int field) const;
  void SetIPSec(int field, std::int32_t value);

private:
  TOctetView View() const;
  void Carry(const TOctetEffect& effect);
  void SetFieldText(int field, const std::string& text);

  IOctetFields& FFields;
  std::array<std::int32_t, kOctetCount> FIPSec{};
  std::string FIPString;
};

} // namespace quorvin

#include "widgets/RIPEditModel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace quorvin::test {
namespace {

// Four single-line edits in memory, behaving as the platform's edits do
// for what the model relies on: a three-character limit, a selection that
// typing replaces, change reports, the focus with its exit and select-all.
// Keys and characters in all their kinds are driven through real edits in
// the Windows tests; here only digits are typed.
class FakeOctetFields final : public IOctetFields {
public:
  TRIPEditModel Model{*this};
  std::array<std::string, kOctetCount> Texts;
  std::array<bool, kOctetCount> Focusable{true, true, true, true};
  int Focused = 0; // 0: the focus is outside the control
  std::array<std::pair<std::size_t, std::size_t>, kOctetCount> Selections{};
  std::vector<int> Changes;
  int Beeps = 0;
  std::string Clipboard;

  std::string Text(int field) const override { return Texts[field - 1]; }
  void SetText(int field, const std::string& text) override { Replace(field, text, text.size()); }
  bool CanFocus(int field) const override { return Focusable[field - 1]; }
  void Focus(int field) override {
    if (Focused == field)
      return;
    const int left = Focused;
    Focused = field;
    if (left != 0)
      Model.Exit(left);
    SelectAll(field);
  }
  void SelectAll(int field) override { Selections[field - 1] = {0, Texts[field - 1].size()}; }
  void Beep() override { ++Beeps; }

  // A digit key as the user presses it: the key-down, then the character
  // that the platform makes of it, both for the focused field.
  void PressDigit(char digit) {
    const int field = Focused;
    if (Model.KeyDown(field, static_cast<unsigned char>(digit)) != 0 &&
        OctetCharAllowed(static_cast<unsigned char>(digit)))
      Insert(field, std::string(1, digit));
  }
  void Type(const std::string& digits) {
    for (char digit : digits)
      PressDigit(digit);
  }
  void Paste(int field) {
    if (OctetPasteAllowed(Clipboard))
      Insert(field, Clipboard);
  }
  // The focus goes to a window outside the control.
  void Leave() {
    const int left = Focused;
    Focused = 0;
    if (left != 0)
      Model.Exit(left);
  }
  const std::pair<std::size_t, std::size_t>& Selection(int field) const { return Selections[field - 1]; }

private:
  void Insert(int field, const std::string& inserted) {
    const auto [start, end] = Selection(field);
    std::string text = Texts[field - 1];
    text.erase(start, end - start);
    const std::string fitting = inserted.substr(0, kOctetMaxLength - std::min(text.size(), kOctetMaxLength));
    text.insert(start, fitting);
    if (text != Texts[field - 1])
      Replace(field, text, start + fitting.size());
  }
  void Replace(int field, const std::string& text, std::size_t caret) {
    Texts[field - 1] = text;
    Selections[field - 1] = {caret, caret};
    Changes.push_back(field);
    Model.Change(field);
  }
};

std::array<std::string, kOctetCount> Octets(std::string t1, std::string t2, std::string t3, std::string t4) {
  return {std::move(t1), std::move(t2), std::move(t3), std::move(t4)};
}

struct WriteCase {
  const char* Name;
  const char* Written;
  std::array<std::string, kOctetCount> Shown;
  const char* ReadBack;
};

class WritingIPString : public ::testing::TestWithParam<WriteCase> {};

TEST_P(WritingIPString, FillsTheFieldsAndReadsBack) {
  FakeOctetFields fields;
  fields.Model.SetIPString(GetParam().Written);
  EXPECT_EQ(fields.Texts, GetParam().Shown);
  EXPECT_EQ(fields.Model.IPString(), GetParam().ReadBack);
}

INSTANTIATE_TEST_SUITE_P(
    Addresses, WritingIPString,
    ::testing::Values(WriteCase{"Full", "192.168.1.10", Octets("192", "168", "1", "10"), "192.168.1.10"},
                      WriteCase{"Empty", "", Octets("", "", "", ""), ""},
                      WriteCase{"TwoParts", "10.1", Octets("10", "1", "0", "0"), "10.1.0.0"},
                      WriteCase{"FifthPartDropped", "1.2.3.4.5", Octets("1", "2", "3", "4"), "1.2.3.4"},
                      WriteCase{"NoNumberIsZero", "a.b.3.4", Octets("0", "0", "3", "4"), "0.0.3.4"},
                      WriteCase{"KeepsLow8Bits", "300.256.1.1", Octets("44", "0", "1", "1"), "44.0.1.1"},
                      WriteCase{"NegativeKeepsLow8Bits", "-1.0.0.0", Octets("255", "0", "0", "0"), "255.0.0.0"},
                      WriteCase{"LeadingDot", ".5.6.7", Octets("0", "5", "6", "7"), "0.5.6.7"},
                      WriteCase{"EmptyMiddlePart", "1..3", Octets("1", "0", "3", "0"), "1.0.3.0"},
                      WriteCase{"LeadingZerosDropped", "010.001.1.1", Octets("10", "1", "1", "1"), "10.1.1.1"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(ReadingIPString, JoinsTheFieldTextsUnchanged) {
  EXPECT_EQ(JoinIPString(Octets("192", "168", "", "")), "192.168..");
  EXPECT_EQ(JoinIPString(Octets("010", "300", "1", "")), "010.300.1.");
  EXPECT_EQ(JoinIPString(Octets("", "", "", "4")), "...4");
  EXPECT_EQ(JoinIPString(Octets("", "", "", "")), "");
}

TEST(WritingIPString, EmptyTextClearsAFilledControl) {
  FakeOctetFields fields;
  fields.Model.SetIPString("1.2.3.4");
  fields.Model.SetIPString("");
  EXPECT_EQ(fields.Texts, Octets("", "", "", ""));
  EXPECT_EQ(fields.Model.IPString(), "");
}

TEST(WritingIPString, ThreeDigitOctetsCarryTheFocusRound) {
  FakeOctetFields fields;
  fields.Model.SetIPString("192.168.100.200");
  EXPECT_EQ(fields.Changes, (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(fields.Focused, 1);
  EXPECT_EQ(fields.Beeps, 0);
}

TEST(WritingIPString, ShortLastOctetKeepsTheFocusInField4) {
  FakeOctetFields fields;
  fields.Model.SetIPString("255.255.255.0");
  EXPECT_EQ(fields.Focused, 4);
}

TEST(WritingIPString, WithoutThreeDigitOctetsTheFocusStays) {
  FakeOctetFields fields;
  fields.Model.SetIPString("10.1.2.3");
  EXPECT_EQ(fields.Focused, 0);
}

TEST(WritingIPString, FieldsThatCannotTakeTheFocusDoNotGetIt) {
  FakeOctetFields fields;
  fields.Focusable = {false, false, false, false};
  fields.Model.SetIPString("192.168.100.200");
  EXPECT_EQ(fields.Focused, 0);
  EXPECT_EQ(fields.Model.IPString(), "192.168.100.200");
}

TEST(WritingIPString, SameTextIsNoChange) {
  FakeOctetFields fields;
  fields.Model.SetIPString("10.1.2.3");
  fields.Changes.clear();
  fields.Model.SetIPString("10.1.2.3");
  EXPECT_TRUE(fields.Changes.empty());
}

TEST(WritingOctets, ZeroLeavesANeverAddressedFieldBlank) {
  FakeOctetFields fields;
  fields.Model.SetIPSec(1, 0);
  EXPECT_EQ(fields.Texts[0], "");
  fields.Model.SetIPSec(1, 7);
  EXPECT_EQ(fields.Texts[0], "7");
}

TEST(WritingOctets, CapsAt255AndShowsZeroOnceAddressed) {
  FakeOctetFields fields;
  fields.Model.SetIPSec(2, 999);
  EXPECT_EQ(fields.Texts[1], "255");
  fields.Model.SetIPString("1.2.3.4");
  fields.Model.SetIPSec(3, 0);
  EXPECT_EQ(fields.Texts[2], "0");
}

TEST(ReadingOctets, NoNumberReadsAsZero) {
  FakeOctetFields fields;
  fields.Texts = Octets("12", "", "+", "300");
  EXPECT_EQ(fields.Model.IPSec(1), 12);
  EXPECT_EQ(fields.Model.IPSec(2), 0);
  EXPECT_EQ(fields.Model.IPSec(3), 0);
  EXPECT_EQ(fields.Model.IPSec(4), 300);
}

class RIPEditTyping : public ::testing::Test {
protected:
  void SetUp() override { fields.Focus(1); }
  FakeOctetFields fields;
};

TEST_F(RIPEditTyping, TwelveDigitsFillTheAddressAndWrapTheFocus) {
  fields.Type("192168");
  EXPECT_EQ(fields.Focused, 3);
  fields.Type("100200");
  EXPECT_EQ(fields.Model.IPString(), "192.168.100.200");
  EXPECT_EQ(fields.Focused, 1);
  EXPECT_EQ(fields.Selection(1), std::make_pair(std::size_t{0}, std::size_t{3}));
  EXPECT_EQ(fields.Beeps, 0);
}

TEST_F(RIPEditTyping, OverRangeBeepsSelectsAndIsCorrectedOnLeaving) {
  fields.Type("300");
  EXPECT_EQ(fields.Beeps, 1);
  EXPECT_EQ(fields.Focused, 1);
  EXPECT_EQ(fields.Selection(1), std::make_pair(std::size_t{0}, std::size_t{3}));
  fields.Leave();
  EXPECT_EQ(fields.Texts[0], "255");
  EXPECT_EQ(fields.Focused, 2) << "the corrected 255 moves on like a typed one";
}

TEST_F(RIPEditTyping, NextDigitReplacesTheSelectedOverRangeOctet) {
  fields.Type("3004");
  EXPECT_EQ(fields.Texts[0], "4");
  EXPECT_EQ(fields.Focused, 1);
}

TEST_F(RIPEditTyping, OverRangeInField4OnlySelects) {
  fields.Focus(4);
  fields.Type("300");
  EXPECT_EQ(fields.Beeps, 0);
  EXPECT_EQ(fields.Focused, 4);
  EXPECT_EQ(fields.Selection(4), std::make_pair(std::size_t{0}, std::size_t{3}));
}

struct CorrectionCase {
  const char* Name;
  int Field;
  std::array<bool, kOctetCount> Focusable;
  int FocusAfter;
};

class RIPEditCorrection : public ::testing::TestWithParam<CorrectionCase> {};

// The change rule runs after the correction of the exit rule, wherever the
// user was going: the focus goes on from the corrected field, if it can.
TEST_P(RIPEditCorrection, TheCorrectedFieldPassesTheFocusOnLikeATyped255) {
  FakeOctetFields fields;
  fields.Focus(GetParam().Field);
  fields.Type("300");
  fields.Focusable = GetParam().Focusable;
  fields.Focus(GetParam().Field == 3 ? 1 : 3); // a click elsewhere in the control
  EXPECT_EQ(fields.Texts[GetParam().Field - 1], "255");
  EXPECT_EQ(fields.Focused, GetParam().FocusAfter);
}

INSTANTIATE_TEST_SUITE_P(Fields, RIPEditCorrection,
                         ::testing::Values(CorrectionCase{"Field1To2", 1, {true, true, true, true}, 2},
                                           CorrectionCase{"Field3To4", 3, {true, true, true, true}, 4},
                                           CorrectionCase{"Field4To1", 4, {true, true, true, true}, 1},
                                           CorrectionCase{"NextCannotTakeIt", 1, {true, false, true, true}, 3}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(RIPEditPasting, OverRangeResultIsLeftToTheChangeRule) {
  FakeOctetFields fields;
  fields.Focus(2);
  fields.Type("5");
  fields.Clipboard = "99";
  fields.Paste(2);
  EXPECT_EQ(fields.Beeps, 1);
  EXPECT_EQ(fields.Focused, 2);
}

} // namespace
} // namespace quorvin::test

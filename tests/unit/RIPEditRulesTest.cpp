#include "widgets/OctetRules.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace quorvin::test {
namespace {

constexpr unsigned kKeyBack = 0x08, kKeyTab = 0x09, kKeyReturn = 0x0D, kKeyEscape = 0x1B;
constexpr unsigned kKeyPrior = 0x21, kKeyNext = 0x22, kKeyEnd = 0x23, kKeyHome = 0x24;
constexpr unsigned kKeyUp = 0x26, kKeyDown = 0x28, kKeyInsert = 0x2D, kKeyHelp = 0x2F;
constexpr unsigned kKeyLeftWindows = 0x5B, kKeyNumpad0 = 0x60, kKeyDivide = 0x6F;
constexpr unsigned kKeyF1 = 0x70, kKeyF15 = 0x7E, kKeyF16 = 0x7F, kKeyOemSemicolon = 0xBA, kKeyOemMinus = 0xBD;

TOctetView View(std::string t1, std::string t2, std::string t3, std::string t4) {
  TOctetView view;
  view.Texts = {std::move(t1), std::move(t2), std::move(t3), std::move(t4)};
  return view;
}

TEST(OctetNumber, AcceptsOnlyASignedDecimalWithin32Bits) {
  EXPECT_EQ(ParseOctetNumber("12"), 12);
  EXPECT_EQ(ParseOctetNumber("007"), 7);
  EXPECT_EQ(ParseOctetNumber("+7"), 7);
  EXPECT_EQ(ParseOctetNumber("-3"), -3);
  EXPECT_EQ(ParseOctetNumber("2147483647"), 2147483647);
  EXPECT_EQ(ParseOctetNumber("-2147483648"), -2147483647 - 1);
  for (const char* text : {"", "+", "-", "1 2", " 12", "12 ", "$FF", "0x1F", "1.", "2147483648", "1\xE9"})
    EXPECT_EQ(ParseOctetNumber(text), std::nullopt) << '"' << text << '"';
}

struct RangeCase {
  const char* Text;
  bool InRange;
};

class OctetRange : public ::testing::TestWithParam<RangeCase> {};

TEST_P(OctetRange, ChecksAtMost255WithBlankAsZero) {
  EXPECT_EQ(OctetInRange(GetParam().Text), GetParam().InRange) << '"' << GetParam().Text << '"';
}

INSTANTIATE_TEST_SUITE_P(Texts, OctetRange,
                         ::testing::Values(RangeCase{"", true}, RangeCase{"   ", true}, RangeCase{"0", true},
                                           RangeCase{"255", true}, RangeCase{"0255", true},
                                           RangeCase{" 12 ", true}, RangeCase{"-5", true},
                                           RangeCase{"256", false}, RangeCase{"999", false},
                                           RangeCase{"+", false}, RangeCase{"1a", false}));

struct KeyCase {
  const char* Name;
  unsigned Key;
  bool Allowed;
};

class OctetKeyClasses : public ::testing::TestWithParam<KeyCase> {};

TEST_P(OctetKeyClasses, PassOrRefuse) {
  EXPECT_EQ(KeyAllowed(GetParam().Key), GetParam().Allowed) << GetParam().Name;
}

INSTANTIATE_TEST_SUITE_P(
    Keys, OctetKeyClasses,
    ::testing::Values(KeyCase{"Backspace", kKeyBack, true}, KeyCase{"Tab", kKeyTab, true},
                      KeyCase{"Enter", kKeyReturn, true}, KeyCase{"Escape", kKeyEscape, true},
                      KeyCase{"Space", kKeySpace, true}, KeyCase{"PageUp", kKeyPrior, false},
                      KeyCase{"PageDown", kKeyNext, false}, KeyCase{"End", kKeyEnd, false},
                      KeyCase{"Home", kKeyHome, false}, KeyCase{"Left", kKeyLeft, true},
                      KeyCase{"Up", kKeyUp, false}, KeyCase{"Right", kKeyRight, true},
                      KeyCase{"Down", kKeyDown, false}, KeyCase{"Insert", kKeyInsert, false},
                      KeyCase{"Delete", kKeyDelete, true}, KeyCase{"Help", kKeyHelp, false},
                      KeyCase{"Digit0", '0', true}, KeyCase{"Digit9", '9', true}, KeyCase{"0x3A", 0x3A, false},
                      KeyCase{"LetterA", 'A', false}, KeyCase{"LetterZ", 'Z', false},
                      KeyCase{"LeftWindows", kKeyLeftWindows, false}, KeyCase{"Numpad0", kKeyNumpad0, false},
                      KeyCase{"KeypadDot", kKeyDecimal, false}, KeyCase{"KeypadDivide", kKeyDivide, false},
                      KeyCase{"F1", kKeyF1, false}, KeyCase{"F15", kKeyF15, false}, KeyCase{"F16", kKeyF16, true},
                      KeyCase{"OemSemicolon", kKeyOemSemicolon, true}, KeyCase{"OemMinus", kKeyOemMinus, true},
                      KeyCase{"OemPeriod", kKeyOemPeriod, true}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(OctetCharacters, PassControlCharactersAndDigitsOnly) {
  for (unsigned char passed : {'\b', '\x03', '\x16', '\x18', '\r', '0', '5', '9'})
    EXPECT_TRUE(OctetCharAllowed(passed)) << int(passed);
  for (unsigned char dropped : {' ', '.', '-', '+', '/', ':', 'a', 'Z', '~'})
    EXPECT_FALSE(OctetCharAllowed(dropped)) << int(dropped);
}

TEST(OctetCharacters, RefuseDeleteAndEverythingAboveAscii) {
  for (unsigned char dropped : {0x7F, 0x80, 0xA0, 0xE9, 0xFF})
    EXPECT_FALSE(OctetCharAllowed(dropped)) << int(dropped);
}

struct PasteCase {
  const char* Clipboard;
  bool Allowed;
};

class OctetPasteCheck : public ::testing::TestWithParam<PasteCase> {};

TEST_P(OctetPasteCheck, LooksAtTheFirstThreeCharacters) {
  EXPECT_EQ(OctetPasteAllowed(GetParam().Clipboard), GetParam().Allowed) << '"' << GetParam().Clipboard << '"';
}

INSTANTIATE_TEST_SUITE_P(Clipboards, OctetPasteCheck,
                         ::testing::Values(PasteCase{"255", true}, PasteCase{"0", true}, PasteCase{"7", true},
                                           PasteCase{"192.168.1.1", true}, PasteCase{"+5", true},
                                           PasteCase{"2550", true}, PasteCase{"256", false},
                                           PasteCase{"-1", false}, PasteCase{"10.0.0.1", false},
                                           PasteCase{"", false}, PasteCase{"12a", false},
                                           PasteCase{" 12", false}, PasteCase{"abc", false}));

struct KeyDownCase {
  const char* Name;
  int Field;
  unsigned Key;
  TOctetView View;
  TOctetKeyResult Expected;
};

class OctetKeyDownRule : public ::testing::TestWithParam<KeyDownCase> {};

TEST_P(OctetKeyDownRule, GivesKeyAndEffect) {
  const auto& param = GetParam();
  EXPECT_EQ(OctetKeyDown(param.Field, param.Key, param.View), param.Expected);
}

TOctetView WithUnfocusable(TOctetView view, int field) {
  view.Focusable[field - 1] = false;
  return view;
}

INSTANTIATE_TEST_SUITE_P(
    Keys, OctetKeyDownRule,
    ::testing::Values(
        KeyDownCase{"DotMovesOn", 2, kKeyOemPeriod, View("1", "12", "", ""), {kKeyRight, {.Focus = 3}}},
        KeyDownCase{"KeypadDotMovesOn", 2, kKeyDecimal, View("1", "12", "", ""), {kKeyRight, {.Focus = 3}}},
        KeyDownCase{"SpaceMovesOn", 2, kKeySpace, View("1", "12", "", ""), {kKeyRight, {.Focus = 3}}},
        KeyDownCase{"EmptyFieldCountsAsZero", 1, kKeyRight, View("", "", "", ""), {kKeyRight, {.Focus = 2}}},
        KeyDownCase{"RightOverRangeSelectsAndBeeps",
                    2,
                    kKeyRight,
                    View("1", "300", "", ""),
                    {kKeyRight, {.SelectAll = 2, .Beep = true}}},
        KeyDownCase{"RightWrapsFrom4To1", 4, kKeyRight, View("", "", "", "200"), {kKeyRight, {.Focus = 1}}},
        KeyDownCase{"RightFrom4OverRangeDoesNothing", 4, kKeyRight, View("", "", "", "300"), {kKeyRight, {}}},
        KeyDownCase{"LeftWrapsFrom1To4", 1, kKeyLeft, View("1", "", "", ""), {kKeyLeft, {.Focus = 4}}},
        KeyDownCase{"LeftFrom1OverRangeDoesNothing", 1, kKeyLeft, View("300", "", "", ""), {kKeyLeft, {}}},
        KeyDownCase{"LeftMovesBack", 3, kKeyLeft, View("", "", "7", ""), {kKeyLeft, {.Focus = 2}}},
        KeyDownCase{"LeftOverRangeSelectsAndBeeps",
                    3,
                    kKeyLeft,
                    View("", "", "999", ""),
                    {kKeyLeft, {.SelectAll = 3, .Beep = true}}},
        KeyDownCase{"UnfocusableNeighbourStays",
                    2,
                    kKeyRight,
                    WithUnfocusable(View("", "12", "", ""), 3),
                    {kKeyRight, {}}},
        KeyDownCase{"LetterBeepsAndIsSwallowed", 1, 'A', View("", "", "", ""), {0, {.Beep = true}}},
        KeyDownCase{"HomeBeepsAndIsSwallowed", 1, kKeyHome, View("", "", "", ""), {0, {.Beep = true}}},
        KeyDownCase{"KeypadDigitBeepsAndIsSwallowed", 1, kKeyNumpad0 + 7, View("", "", "", ""), {0, {.Beep = true}}},
        KeyDownCase{"DigitPasses", 1, '5', View("", "", "", ""), {'5', {}}},
        KeyDownCase{"DeletePasses", 1, kKeyDelete, View("12", "", "", ""), {kKeyDelete, {}}}),
    [](const auto& info) { return std::string(info.param.Name); });

struct ChangeCase {
  const char* Name;
  int Field;
  TOctetView View;
  TOctetEffect Expected;
};

class OctetChangeRule : public ::testing::TestWithParam<ChangeCase> {};

TEST_P(OctetChangeRule, ActsOnlyOnThreeCharacters) {
  EXPECT_EQ(OctetChange(GetParam().Field, GetParam().View), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, OctetChangeRule,
    ::testing::Values(ChangeCase{"CompleteOctetMovesOn", 1, View("192", "", "", ""), {.Focus = 2}},
                      ChangeCase{"LeadingZerosCount", 2, View("", "007", "", ""), {.Focus = 3}},
                      ChangeCase{"ShortTextWaits", 1, View("19", "", "", ""), {}},
                      ChangeCase{"LastFieldWrapsTo1", 4, View("", "", "", "200"), {.Focus = 1}},
                      ChangeCase{"OverRangeSelectsAndBeeps", 2, View("", "300", "", ""), {.SelectAll = 2, .Beep = true}},
                      ChangeCase{"LastFieldOverRangeOnlySelects", 4, View("", "", "", "300"), {.SelectAll = 4}},
                      ChangeCase{"UnfocusableNextStays", 3, WithUnfocusable(View("", "", "255", ""), 4), {}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(OctetExitRule, CorrectsOnlyAnOctetOutOfRange) {
  EXPECT_EQ(OctetExit(1, View("300", "", "", "")), 255);
  EXPECT_EQ(OctetExit(4, View("", "", "", "999")), 255);
  EXPECT_EQ(OctetExit(2, View("", "+", "", "")), 255);
  EXPECT_EQ(OctetExit(1, View("", "", "", "")), std::nullopt);
  EXPECT_EQ(OctetExit(1, View("255", "", "", "")), std::nullopt);
}

TEST(OctetPaint, CentresTruncatingTowardsZero) {
  EXPECT_EQ(CentredTextLeft(25, 21), 2);
  EXPECT_EQ(CentredTextLeft(25, 14), 5);
  EXPECT_EQ(CentredTextLeft(25, 0), 12);
  EXPECT_EQ(CentredTextLeft(25, 30), -2);
}

} // namespace
} // namespace quorvin::test

#include "widgets/win32/RIPEdit.h"

#include "RIPEditDialogIds.h"
#include "base/win32/WindowBase.h"
#include "widgets/win32/IPMaskEdit.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

namespace quorvin::test {
namespace {

constexpr char kHostClassName[] = "QuorvinRIPEditTestHost";
constexpr unsigned char kCharPaste = 0x16;

std::string WindowText(HWND window) {
  char buffer[64] = {};
  const int length = ::GetWindowTextA(window, buffer, sizeof buffer);
  return std::string(buffer, static_cast<std::size_t>(length));
}

void Pump() {
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

void SetClipboardText(HWND owner, const std::string& text) {
  ASSERT_TRUE(::OpenClipboard(owner));
  ::EmptyClipboard();
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  ASSERT_NE(memory, nullptr);
  std::memcpy(::GlobalLock(memory), text.c_str(), text.size() + 1);
  ::GlobalUnlock(memory);
  if (!::SetClipboardData(CF_TEXT, memory))
    ::GlobalFree(memory);
  ::CloseClipboard();
}

// One host window for the whole suite: Wine without a window manager takes
// seconds to destroy a visible top-level window. Each test gets a new control.
// Where a field's own paint puts its text: the outermost columns and rows
// that hold a pixel of the given colour, drawn into a bitmap of the field's
// size.
struct TextBox {
  int First = -1; // columns
  int Last = -1;
  int Top = -1; // rows
  int Bottom = -1;
};

TextBox PaintedBox(HWND field, COLORREF colour) {
  RECT client{};
  ::GetClientRect(field, &client);
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, client.right, client.bottom);
  ::ReleaseDC(nullptr, screen);
  HGDIOBJ previous = ::SelectObject(memory, bitmap);
  ::SendMessageA(field, WM_PAINT, reinterpret_cast<WPARAM>(memory), 0);
  TextBox box;
  for (int x = 0; x < client.right; ++x)
    for (int y = 0; y < client.bottom; ++y)
      if (::GetPixel(memory, x, y) == colour) {
        if (box.First < 0)
          box.First = x;
        box.Last = x;
        box.Top = box.Top < 0 ? y : std::min(box.Top, y);
        box.Bottom = std::max(box.Bottom, y);
      }
  ::SelectObject(memory, previous);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  return box;
}

// The WM_COMMAND notifications that reached a parent: control id, code, window.
struct Notification {
  int Id;
  int Code;
  HWND From;
};
std::vector<Notification> gNotifications;

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND)
    gNotifications.push_back({LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)});
  return ::DefWindowProcA(window, message, wParam, lParam);
}

RECT FieldBounds(HWND control, HWND field) {
  RECT bounds{};
  ::GetWindowRect(field, &bounds);
  ::MapWindowPoints(nullptr, control, reinterpret_cast<POINT*>(&bounds), 2);
  return bounds;
}

int FieldTextHeight(HWND field) {
  HDC dc = ::GetDC(field);
  HGDIOBJ previous = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageA(field, WM_GETFONT, 0, 0)));
  TEXTMETRICA metrics{};
  ::GetTextMetricsA(dc, &metrics);
  ::SelectObject(dc, previous);
  ::ReleaseDC(field, dc);
  return metrics.tmHeight;
}

// The fields stand where the layout rule puts them for the control's own
// client size and DPI.
void ExpectLaidOutForItsSize(TRIPEdit& control) {
  RECT client{};
  ::GetClientRect(control.Handle(), &client);
  const TRIPEditLayout layout =
      LayOutRIPEdit(client.right, client.bottom, control.Dpi(), FieldTextHeight(control.FieldHandle(1)));
  for (int field = 1; field <= kOctetCount; ++field) {
    const RECT bounds = FieldBounds(control.Handle(), control.FieldHandle(field));
    const TLayoutRect& expected = layout.Fields[field - 1];
    EXPECT_EQ(bounds.left, expected.Left) << field;
    EXPECT_EQ(bounds.top, expected.Top) << field;
    EXPECT_EQ(bounds.right - bounds.left, expected.Width) << field;
    EXPECT_EQ(bounds.bottom - bounds.top, expected.Height) << field;
  }
}

class RIPEditWindow : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    WNDCLASSEXA host{};
    host.cbSize = sizeof host;
    host.lpfnWndProc = HostProc;
    host.hInstance = ::GetModuleHandleA(nullptr);
    host.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    host.lpszClassName = kHostClassName;
    ::RegisterClassExA(&host);
    FHost = ::CreateWindowExA(0, kHostClassName, "RIPEdit test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 120,
                              nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    FOther = ::CreateWindowExA(0, "BUTTON", "Other", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 150, 10, 80, 24, FHost,
                               nullptr, ::GetModuleHandleA(nullptr), nullptr);
  }

  static void TearDownTestSuite() {
    ::DestroyWindow(FHost);
    Pump();
  }

  void SetUp() override {
    ASSERT_NE(FHost, nullptr);
    ::ShowWindow(FHost, SW_SHOW);
    FEdit = CreateRIPEdit(FHost, 100, 10, 10);
    ASSERT_NE(FEdit, nullptr);
    FControl = TRIPEdit::FromWindow(FEdit);
    ASSERT_NE(FControl, nullptr);
    FControl->SetBeepHandler([this] { ++FBeeps; });
    ::SetForegroundWindow(FHost);
    ::SetActiveWindow(FHost);
    ::SetFocus(FOther);
    Pump();
    ASSERT_EQ(::GetFocus(), FOther) << "the test window must be able to take the focus";
  }

  void TearDown() override {
    ::DestroyWindow(FEdit);
    Pump();
  }

  HWND Field(int field) const { return FControl->FieldHandle(field); }
  std::string Text(int field) const { return WindowText(Field(field)); }
  int FocusedField() const {
    for (int field = 1; field <= kOctetCount; ++field)
      if (::GetFocus() == Field(field))
        return field;
    return 0;
  }
  void FocusField(int field) {
    ::SetFocus(Field(field));
    Pump();
  }
  // The key-down goes to the focused field, and the character that the
  // system makes of it goes to that same window, as TranslateMessage does.
  void Key(unsigned key, unsigned char character = 0) {
    HWND target = ::GetFocus();
    ASSERT_NE(target, nullptr) << "the test window lost the focus";
    ::SendMessageA(target, WM_KEYDOWN, key, 1);
    if (character != 0)
      ::SendMessageA(target, WM_CHAR, character, 1);
    Pump();
  }
  void Type(const std::string& digits) {
    for (char digit : digits)
      Key(static_cast<unsigned char>(digit), static_cast<unsigned char>(digit));
  }
  std::pair<DWORD, DWORD> Selection(int field) const {
    DWORD start = 0, end = 0;
    ::SendMessageA(Field(field), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
  }

  static inline HWND FHost = nullptr;
  static inline HWND FOther = nullptr;
  HWND FEdit = nullptr;
  TRIPEdit* FControl = nullptr;
  int FBeeps = 0;
};

TEST_F(RIPEditWindow, LaysOutFourBorderlessThreeCharacterFields) {
  RECT panel{};
  ::GetClientRect(FEdit, &panel);
  EXPECT_EQ(panel.right, kRIPEditWidth);
  EXPECT_EQ(panel.bottom, kRIPEditHeight);
  EXPECT_TRUE(::GetWindowLongPtrA(FEdit, GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
  for (int field = 1; field <= kOctetCount; ++field) {
    RECT bounds{};
    ::GetWindowRect(Field(field), &bounds);
    ::MapWindowPoints(nullptr, FEdit, reinterpret_cast<POINT*>(&bounds), 2);
    EXPECT_EQ(bounds.left, (field - 1) * 30 + 3) << field;
    EXPECT_EQ(bounds.top, 3) << field;
    EXPECT_EQ(bounds.right - bounds.left, 25) << field;
    EXPECT_EQ(bounds.bottom - bounds.top, 16) << field;
    EXPECT_FALSE(::GetWindowLongPtrA(Field(field), GWL_STYLE) & WS_BORDER) << field;
    EXPECT_FALSE(::GetWindowLongPtrA(Field(field), GWL_EXSTYLE) & WS_EX_CLIENTEDGE) << field;
    EXPECT_EQ(::SendMessageA(Field(field), EM_GETLIMITTEXT, 0, 0), 3) << field;
  }
  EXPECT_EQ(TRIPEdit::FromWindow(FOther), nullptr);
}

TEST_F(RIPEditWindow, TwelveDigitsFillTheAddressAndWrapToField1) {
  FocusField(1);
  Type("192168100200");
  EXPECT_EQ(Text(1), "192");
  EXPECT_EQ(Text(2), "168");
  EXPECT_EQ(Text(3), "100");
  EXPECT_EQ(Text(4), "200");
  EXPECT_EQ(WindowText(FEdit), "192.168.100.200");
  EXPECT_EQ(FocusedField(), 1);
  EXPECT_EQ(Selection(1), std::make_pair(DWORD{0}, DWORD{3}));
  EXPECT_EQ(FBeeps, 0);
}

TEST_F(RIPEditWindow, WindowTextWritesAndReadsTheAddress) {
  ::SetWindowTextA(FEdit, "10.1");
  EXPECT_EQ(Text(1), "10");
  EXPECT_EQ(Text(4), "0");
  EXPECT_EQ(WindowText(FEdit), "10.1.0.0");
  EXPECT_EQ(::GetWindowTextLengthA(FEdit), 8);
  EXPECT_EQ(FControl->IPSec(2), 1);
  FControl->SetIPSec(3, 300);
  EXPECT_EQ(FControl->IPString(), "10.1.255.0");
  ::SetWindowTextA(FEdit, "");
  EXPECT_EQ(Text(1), "");
  EXPECT_EQ(WindowText(FEdit), "");
}

TEST_F(RIPEditWindow, WrittenThreeDigitOctetsLeaveTheFocusInField1) {
  FControl->SetIPString("192.168.100.200");
  EXPECT_EQ(FocusedField(), 1);
}

TEST_F(RIPEditWindow, WrittenMaskLeavesTheFocusInField4) {
  FControl->SetIPString("255.255.255.0");
  EXPECT_EQ(FocusedField(), 4);
}

TEST_F(RIPEditWindow, WritingIntoAHiddenWindowMovesNoFocus) {
  ::ShowWindow(FHost, SW_HIDE);
  Pump();
  FControl->SetIPString("192.168.100.200");
  EXPECT_EQ(FControl->IPString(), "192.168.100.200");
  EXPECT_EQ(FocusedField(), 0);
}

TEST_F(RIPEditWindow, OverRangeBeepsAndSelectsAndBecomes255WhenLeft) {
  FocusField(1);
  Type("300");
  EXPECT_EQ(FBeeps, 1);
  EXPECT_EQ(FocusedField(), 1);
  EXPECT_EQ(Selection(1), std::make_pair(DWORD{0}, DWORD{3}));
  ::SetFocus(FOther);
  Pump();
  EXPECT_EQ(Text(1), "255");
  EXPECT_EQ(FocusedField(), 2) << "the corrected 255 moves the focus on like a typed one";
}

TEST_F(RIPEditWindow, CorrectionInField4HandsTheFocusToField1) {
  FocusField(4);
  Type("300");
  FocusField(2);
  EXPECT_EQ(Text(4), "255");
  EXPECT_EQ(FocusedField(), 1);
}

TEST_F(RIPEditWindow, TellsItsParentOfEveryChangeWithItsId) {
  gNotifications.clear();
  FocusField(1);
  Type("7");
  ::SetWindowTextA(FEdit, "1.2.3.4");
  ASSERT_EQ(gNotifications.size(), 5u) << "one for the typed digit, one per field written";
  for (const Notification& notification : gNotifications) {
    EXPECT_EQ(notification.Id, 100);
    EXPECT_EQ(notification.Code, EN_CHANGE);
    EXPECT_EQ(notification.From, FEdit);
  }
  gNotifications.clear();
  ::SetWindowTextA(FEdit, "1.2.3.4");
  EXPECT_TRUE(gNotifications.empty()) << "the same text is no change";
}

TEST_F(RIPEditWindow, LaysOutFromItsOwnSizeAndAgainWhenResized) {
  ::SetWindowPos(FEdit, nullptr, 0, 0, 140, 23, SWP_NOMOVE | SWP_NOZORDER);
  ExpectLaidOutForItsSize(*FControl);
  EXPECT_EQ(FieldBounds(FEdit, Field(4)).right, 3 * 35 + 3 + 30);
  ::SetWindowPos(FEdit, nullptr, 0, 0, 240, 30, SWP_NOMOVE | SWP_NOZORDER);
  ExpectLaidOutForItsSize(*FControl);
}

struct DpiCase {
  const char* Name;
  int Dpi;
  int Width, Height; // the control's size at that DPI
};

class RIPEditDpi : public RIPEditWindow, public ::testing::WithParamInterface<DpiCase> {};

// Rendered at each DPI: the font is 9 points at that DPI, the fields are
// laid out for it, and every octet's digits are centred in their field and
// wholly inside it.
TEST_P(RIPEditDpi, FontAndLayoutFollowTheDpiAndTheTextFits) {
  const DpiCase& c = GetParam();
  ::SetWindowPos(FEdit, nullptr, 0, 0, c.Width, c.Height, SWP_NOMOVE | SWP_NOZORDER);
  FControl->SetDpiOverride(c.Dpi);
  ::SendMessageA(FEdit, 0x02E3 /* WM_DPICHANGED_AFTERPARENT */, 0, 0);
  EXPECT_EQ(FControl->Dpi(), c.Dpi);
  LOGFONTA font{};
  ::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(Field(1), WM_GETFONT, 0, 0)), sizeof font, &font);
  EXPECT_EQ(font.lfHeight, -::MulDiv(9, c.Dpi, 72));
  ExpectLaidOutForItsSize(*FControl);
  ::SetWindowTextA(FEdit, "255.255.255.0");
  for (int field = 1; field <= kOctetCount; ++field) {
    RECT client{};
    ::GetClientRect(Field(field), &client);
    const COLORREF text = ::GetSysColor(COLOR_WINDOWTEXT);
    const TextBox columns = PaintedBox(Field(field), text);
    ASSERT_GE(columns.First, 0) << field;
    EXPECT_GT(columns.First, 0) << field << ": clipped on the left";
    EXPECT_LT(columns.Last, client.right - 1) << field << ": clipped on the right";
    EXPECT_LE(std::abs(columns.First - (client.right - 1 - columns.Last)), 3) << field;
    EXPECT_GT(columns.Top, 0) << field << ": clipped at the top";
    EXPECT_LT(columns.Bottom, client.bottom - 1) << field << ": clipped at the bottom";
  }
  FControl->SetDpiOverride(0);
  ::SendMessageA(FEdit, 0x02E3, 0, 0);
}

INSTANTIATE_TEST_SUITE_P(Dpis, RIPEditDpi,
                         ::testing::Values(DpiCase{"At96", 96, 120, 20}, DpiCase{"At144", 144, 180, 30},
                                           DpiCase{"At144FromDialogUnits", 144, 210, 35}),
                         [](const auto& info) { return std::string(info.param.Name); });

INT_PTR CALLBACK TestDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) {
    gNotifications.push_back({LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)});
    return TRUE;
  }
  (void)dialog;
  return message == WM_INITDIALOG;
}

TEST_F(RIPEditWindow, WorksAsAControlOfADialogTemplate) {
  ASSERT_TRUE(RegisterRIPEditClass(::GetModuleHandleA(nullptr)));
  HWND dialog = ::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_RIPEDIT_TEST), FHost,
                                     TestDialogProc, 0);
  ASSERT_NE(dialog, nullptr);
  HWND edit = ::GetDlgItem(dialog, IDC_RIPEDIT_TEST);
  TRIPEdit* control = TRIPEdit::FromWindow(edit);
  ASSERT_NE(control, nullptr);
  EXPECT_EQ(control->IPString(), "10.0.0.1");
  RECT units{0, 0, 80, 14};
  ::MapDialogRect(dialog, &units);
  RECT client{};
  ::GetClientRect(edit, &client);
  EXPECT_EQ(client.right, units.right);
  EXPECT_EQ(client.bottom, units.bottom);
  ExpectLaidOutForItsSize(*control);
  gNotifications.clear();
  ::SetWindowTextA(edit, "10.0.0.2");
  ASSERT_EQ(gNotifications.size(), 1u);
  EXPECT_EQ(gNotifications[0].Id, IDC_RIPEDIT_TEST);
  EXPECT_EQ(gNotifications[0].Code, EN_CHANGE);
  ::DestroyWindow(dialog);
  Pump();
}

TEST_F(RIPEditWindow, OverRangeInField4SelectsWithoutBeep) {
  FocusField(4);
  Type("300");
  EXPECT_EQ(FBeeps, 0);
  EXPECT_EQ(FocusedField(), 4);
  EXPECT_EQ(Selection(4), std::make_pair(DWORD{0}, DWORD{3}));
}

TEST_F(RIPEditWindow, DotKeysAndSpaceMoveOnAndInsertNothing) {
  for (const auto& [key, character] : {std::pair<unsigned, char>{VK_OEM_PERIOD, '.'},
                                       std::pair<unsigned, char>{VK_DECIMAL, '.'},
                                       std::pair<unsigned, char>{VK_SPACE, ' '}}) {
    ::SetWindowTextA(FEdit, "");
    FocusField(2);
    Type("12");
    Key(key, static_cast<unsigned char>(character));
    EXPECT_EQ(FocusedField(), 3) << key;
    EXPECT_EQ(Text(2), "12") << key;
  }
  EXPECT_EQ(FBeeps, 0);
}

TEST_F(RIPEditWindow, ArrowsWrapBetweenFields4And1) {
  ::SetWindowTextA(FEdit, "1.2.3.4");
  FocusField(4);
  Key(VK_RIGHT);
  EXPECT_EQ(FocusedField(), 1);
  Key(VK_LEFT);
  EXPECT_EQ(FocusedField(), 4);
  Type("300");
  Key(VK_RIGHT);
  EXPECT_EQ(FocusedField(), 4);
}

TEST_F(RIPEditWindow, TabWalksTheFieldsAndLeavesAfterField4) {
  FocusField(1);
  MSG tab{Field(1), WM_KEYDOWN, VK_TAB, 1, 0, {}};
  ASSERT_TRUE(::IsDialogMessageA(FHost, &tab));
  EXPECT_EQ(FocusedField(), 2);
  FocusField(4);
  tab.hwnd = Field(4);
  ::IsDialogMessageA(FHost, &tab);
  EXPECT_EQ(FocusedField(), 0);
}

TEST_F(RIPEditWindow, RefusedKeysBeepAndInsertNothing) {
  FocusField(1);
  Key('A', 'a');
  Key(VK_HOME);
  Key(VK_UP);
  EXPECT_EQ(FBeeps, 3);
  EXPECT_EQ(Text(1), "");
}

TEST_F(RIPEditWindow, KeypadDigitBeepsYetItsCharacterIsInserted) {
  FocusField(1);
  Key(VK_NUMPAD7, '7');
  EXPECT_EQ(FBeeps, 1);
  EXPECT_EQ(Text(1), "7");
}

TEST_F(RIPEditWindow, CharacterFilterDropsAllButDigitsAndControls) {
  FocusField(1);
  const unsigned char dropped[] = {'-', '.', 'x', 0x7F, 0xE9, 0xFF};
  for (unsigned char character : dropped)
    ::SendMessageA(Field(1), WM_CHAR, character, 1);
  ::SendMessageA(Field(1), WM_CHAR, '5', 1);
  EXPECT_EQ(Text(1), "5");
  EXPECT_EQ(FBeeps, 0);
}

TEST_F(RIPEditWindow, PasteChecksTheClipboard) {
  const std::pair<const char*, const char*> cases[] = {
      {"255", "255"}, {"256", ""}, {"-1", ""}, {"10.0.0.1", ""}, {"192.168.1.1", "192"}, {"7", "7"}};
  for (const auto& [clipboard, expected] : cases) {
    ::SetWindowTextA(FEdit, "");
    FocusField(2);
    SetClipboardText(FHost, clipboard);
    ::SendMessageA(Field(2), WM_PASTE, 0, 0);
    Pump();
    EXPECT_EQ(Text(2), expected) << clipboard;
  }
}

TEST_F(RIPEditWindow, CtrlVBeepsAndPastesThroughTheCharacter) {
  FocusField(1);
  SetClipboardText(FHost, "255");
  Key('V', kCharPaste);
  EXPECT_EQ(FBeeps, 1);
  EXPECT_EQ(Text(1), "255");
  EXPECT_EQ(FocusedField(), 2);
}

TEST_F(RIPEditWindow, FieldPaintsItsTextCentred) {
  RECT client{};
  ::GetClientRect(Field(1), &client);
  for (const char* text : {"255", "10", "7"}) {
    ::SetWindowTextA(Field(1), text);
    const TextBox columns = PaintedBox(Field(1), ::GetSysColor(COLOR_WINDOWTEXT));
    ASSERT_GE(columns.First, 0) << text;
    const int spaceLeft = columns.First;
    const int spaceRight = client.right - 1 - columns.Last;
    // Glyph side bearings differ by a pixel or two; a left-aligned "7"
    // would leave about 20 pixels on the right.
    EXPECT_LE(std::abs(spaceLeft - spaceRight), 3) << text << ": " << spaceLeft << " vs " << spaceRight;
  }
}

TEST_F(RIPEditWindow, DisabledFieldPaintsGreyText) {
  ::SetWindowTextA(FEdit, "255.255.255.0");
  FControl->SetEnabled(false);
  EXPECT_LT(PaintedBox(Field(1), ::GetSysColor(COLOR_WINDOWTEXT)).First, 0);
  EXPECT_GE(PaintedBox(Field(1), ::GetSysColor(COLOR_GRAYTEXT)).First, 0);
  FControl->SetEnabled(true);
  EXPECT_GE(PaintedBox(Field(1), ::GetSysColor(COLOR_WINDOWTEXT)).First, 0);
}

TEST_F(RIPEditWindow, EnabledSwitchesTheFieldsOnly) {
  FControl->SetEnabled(false);
  for (int field = 1; field <= kOctetCount; ++field)
    EXPECT_FALSE(::IsWindowEnabled(Field(field))) << field;
  EXPECT_TRUE(::IsWindowEnabled(FEdit));
  FControl->SetEnabled(true);
  for (int field = 1; field <= kOctetCount; ++field)
    EXPECT_TRUE(::IsWindowEnabled(Field(field))) << field;
  ::EnableWindow(FEdit, FALSE);
  EXPECT_FALSE(::IsWindowEnabled(Field(1)));
}

// An owner whose handlers raise: nothing of it may unwind through the
// field's window procedure into the system's dispatcher.
struct RaisingOwner final : IOctetFieldOwner {
  unsigned FieldKeyDown(int, unsigned) override { throw std::runtime_error("key"); }
  void FieldExit(int) override { throw std::runtime_error("exit"); }
};

std::vector<std::string> gReported;

TEST_F(RIPEditWindow, AFieldHandsItsOwnersErrorsToTheReporter) {
  gReported.clear();
  SetWindowErrorReporter([](HWND, const std::string& text) { gReported.push_back(text); });
  RaisingOwner owner;
  TIPMaskEdit field;
  ASSERT_TRUE(field.Create(FHost, 1, RECT{10, 50, 60, 70}, nullptr, owner));
  EXPECT_NO_THROW(::SendMessageA(field.Handle(), WM_KEYDOWN, '1', 1));
  EXPECT_NO_THROW(::SendMessageA(field.Handle(), WM_KILLFOCUS, 0, 0));
  SetWindowErrorReporter(nullptr);
  EXPECT_EQ(gReported, (std::vector<std::string>{"key", "exit"}));
  ::SetWindowTextA(field.Handle(), "12");
  EXPECT_EQ(WindowText(field.Handle()), "12") << "the field still works";
  ::DestroyWindow(field.Handle());
}

} // namespace
} // namespace quorvin::test

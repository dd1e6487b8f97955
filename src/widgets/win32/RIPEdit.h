#pragma once
// The IP address edit control: a white panel with lowered bevels holding
// four octet fields and three dots. Windows and dialog templates create it
// by its class name ("TRIPEdit"); its window text is the dotted address
// (WM_SETTEXT and WM_GETTEXT), it tells its parent of every change of that
// text as an edit does (WM_COMMAND, EN_CHANGE, its control id), and
// TRIPEdit::FromWindow gives the C++ interface. It lays itself out from its
// client size and its window's DPI, again on WM_SIZE and on
// WM_DPICHANGED_AFTERPARENT.

#include "base/win32/GdiOwners.h"
#include "widgets/RIPEditLayout.h"
#include "widgets/RIPEditModel.h"
#include "widgets/win32/IPMaskEdit.h"

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

namespace quorvin {

inline constexpr char kRIPEditClassName[] = "TRIPEdit";
inline constexpr int kRIPEditWidth = 120;
inline constexpr int kRIPEditHeight = 20;

// Registers the window class for instance; later calls do nothing.
bool RegisterRIPEditClass(HINSTANCE instance);

// A control of the usual size at (x, y) of parent, registering the class
// when needed. Returns nullptr when the window cannot be created.
HWND CreateRIPEdit(HWND parent, int id, int x, int y);

class TRIPEdit final : private IOctetFieldOwner, private IOctetFields {
public:
  // The control behind a window of the class; nullptr for other windows.
  static TRIPEdit* FromWindow(HWND window);

  HWND Handle() const { return FHandle; }
  HWND FieldHandle(int field) const { return FOctetFields[field - 1].Handle(); }

  std::string IPString() const { return FModel.IPString(); }
  void SetIPString(std::string_view text) { FModel.SetIPString(text); }
  std::int32_t IPSec(int field) const { return FModel.IPSec(field); }
  void SetIPSec(int field, std::int32_t value) { FModel.SetIPSec(field, value); }

  // Greys or restores the four fields; the panel and the dots keep their look.
  void SetEnabled(bool enabled);

  // Replaces the system beep, so that tests can count beeps.
  void SetBeepHandler(std::function<void()> beep) { FBeep = std::move(beep); }

  // The DPI the control lays out for: its window's, unless a test sets one
  // (0 goes back to the window's); takes effect on the next
  // WM_DPICHANGED_AFTERPARENT, as a real change does.
  void SetDpiOverride(int dpi) { FDpiOverride = dpi; }
  int Dpi() const { return FDpi; }

private:
  friend bool RegisterRIPEditClass(HINSTANCE instance);

  explicit TRIPEdit(HWND window) : FHandle(window) {}
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  bool CreateParts(const CREATESTRUCTA& create);
  int WindowDpi() const;
  void ApplyDpi();
  void LayOut();
  void FieldChanged(int field);
  void Paint(HDC dc);
  LRESULT CopyText(WPARAM size, LPARAM buffer) const;

  // IOctetFieldOwner
  unsigned FieldKeyDown(int field, unsigned key) override { return FModel.KeyDown(field, key); }
  void FieldExit(int field) override;

  // IOctetFields
  std::string Text(int field) const override;
  void SetText(int field, const std::string& text) override;
  bool CanFocus(int field) const override;
  void Focus(int field) override;
  void SelectAll(int field) override;
  void Beep() override;

  HWND FHandle;
  TRIPEditModel FModel{*this};
  std::array<TIPMaskEdit, kOctetCount> FOctetFields;
  UniqueFont FFieldFont;
  UniqueFont FDotFont;
  std::function<void()> FBeep;
  TRIPEditLayout FLayout;
  int FDpi = kDesignDpi;
  int FDpiOverride = 0;
  int FFieldAscent = 0;
  bool FCreating = false;
  bool FDestroying = false;
  bool FExiting = false;
};

} // namespace quorvin

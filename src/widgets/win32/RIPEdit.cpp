#include "widgets/win32/RIPEdit.h"

#include "widgets/win32/PaintScope.h"

#include <algorithm>
#include <cstring>

namespace quorvin {

namespace {

// Fixed pixel layout of the panel; a later resize does not move the parts.
constexpr int kFieldTop = 3;
constexpr int kFieldPitch = 30;
constexpr int kFieldLeft = 3;
constexpr int kFieldWidth = kRIPEditWidth / 4 - 5;
constexpr int kFieldHeight = kRIPEditHeight - 4;
constexpr int kDotLeft = 25;
constexpr int kDotTop = kRIPEditHeight - 17;
constexpr int kFontPoints = 9;
constexpr int kFixedsysCellWidth = 8;

// The dots sit in the gaps between the fields only because the Fixedsys
// cell is 8 pixels wide. Where that face is missing (Wine without its own
// fonts falls back to a proportional face with a 3-pixel dot, which then
// hides under the field to its left), the glyph is centred where the
// Fixedsys cell would have centred it.
int DotLeft(int dot, int dotWidth) {
  return (dot - 1) * kFieldPitch + kDotLeft + (kFixedsysCellWidth - dotWidth) / 2;
}

HFONT CreatePointFont(const char* face, int points) {
  HDC screen = ::GetDC(nullptr);
  const int pixelsPerInch = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen)
    ::ReleaseDC(nullptr, screen);
  return ::CreateFontA(-::MulDiv(points, pixelsPerInch, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, face);
}

bool IsRIPEditWindow(HWND window) {
  char name[sizeof kRIPEditClassName + 1] = {};
  return window && ::GetClassNameA(window, name, sizeof name) > 0 && ::lstrcmpiA(name, kRIPEditClassName) == 0;
}

} // namespace

bool RegisterRIPEditClass(HINSTANCE instance) {
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  if (::GetClassInfoExA(instance, kRIPEditClassName, &existing))
    return true;
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = TRIPEdit::WindowProc;
  windowClass.cbWndExtra = sizeof(TRIPEdit*);
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursor(nullptr, IDC_IBEAM);
  windowClass.lpszClassName = kRIPEditClassName;
  return ::RegisterClassExA(&windowClass) != 0;
}

HWND CreateRIPEdit(HWND parent, int id, int x, int y) {
  const auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(parent, GWLP_HINSTANCE));
  if (!RegisterRIPEditClass(instance))
    return nullptr;
  return ::CreateWindowExA(0, kRIPEditClassName, "", WS_CHILD | WS_VISIBLE, x, y, kRIPEditWidth, kRIPEditHeight,
                           parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
}

TRIPEdit* TRIPEdit::FromWindow(HWND window) {
  if (!IsRIPEditWindow(window))
    return nullptr;
  return reinterpret_cast<TRIPEdit*>(::GetWindowLongPtrA(window, 0));
}

void TRIPEdit::SetEnabled(bool enabled) {
  for (const auto& field : FOctetFields)
    ::EnableWindow(field.Handle(), enabled ? TRUE : FALSE);
}

LRESULT CALLBACK TRIPEdit::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<TRIPEdit*>(::GetWindowLongPtrA(window, 0));
  try {
    if (message == WM_NCCREATE) {
      self = new TRIPEdit(window);
      ::SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(self));
    }
    if (!self)
      return ::DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
      ::SetWindowLongPtrA(window, 0, 0);
      delete self;
      return ::DefWindowProcA(window, message, wParam, lParam);
    }
    return self->HandleMessage(message, wParam, lParam);
  } catch (...) {
    // Nothing may unwind into the system's dispatcher; a failed creation
    // makes CreateWindow fail, anything else leaves the message unhandled.
    return message == WM_NCCREATE ? FALSE : message == WM_CREATE ? -1 : 0;
  }
}

LRESULT TRIPEdit::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_CREATE:
    return CreateParts(*reinterpret_cast<const CREATESTRUCTA*>(lParam)) ? 0 : -1;
  case WM_DESTROY:
    FDestroying = true;
    return 0;
  case WM_PAINT:
    Paint();
    return 0;
  case WM_ERASEBKGND:
    return 1; // the paint fills the whole panel
  case WM_COMMAND: {
    const int field = LOWORD(wParam);
    if (HIWORD(wParam) == EN_CHANGE && field >= 1 && field <= kOctetCount &&
        reinterpret_cast<HWND>(lParam) == FieldHandle(field))
      FModel.Change(field);
    return 0;
  }
  case WM_SETTEXT:
    SetIPString(lParam ? reinterpret_cast<const char*>(lParam) : "");
    return TRUE;
  case WM_GETTEXT:
    return CopyText(wParam, lParam);
  case WM_GETTEXTLENGTH:
    return static_cast<LRESULT>(IPString().size());
  case WM_SETFOCUS:
    if (::IsWindowEnabled(FieldHandle(1)))
      ::SetFocus(FieldHandle(1));
    return 0;
  case WM_ENABLE:
    SetEnabled(wParam != FALSE);
    return 0;
  default:
    return ::DefWindowProcA(FHandle, message, wParam, lParam);
  }
}

// The fields take part in the dialog manager's Tab order, so that Tab walks
// through them and then leaves the control. The styles are added here, not
// by the creator, so that a dialog template needs nothing but the class.
bool TRIPEdit::CreateParts(const CREATESTRUCTA& create) {
  ::SetWindowLongPtrA(FHandle, GWL_EXSTYLE, ::GetWindowLongPtrA(FHandle, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
  ::SetWindowLongPtrA(FHandle, GWL_STYLE, ::GetWindowLongPtrA(FHandle, GWL_STYLE) | WS_CLIPCHILDREN);
  FFieldFont.reset(CreatePointFont("Verdana", kFontPoints));
  FDotFont.reset(CreatePointFont("Fixedsys", kFontPoints));
  for (int field = 1; field <= kOctetCount; ++field) {
    const int left = (field - 1) * kFieldPitch + kFieldLeft;
    const RECT bounds{left, kFieldTop, left + kFieldWidth, kFieldTop + kFieldHeight};
    if (!FOctetFields[field - 1].Create(FHandle, field, bounds, FFieldFont.get(), *this))
      return false;
  }
  if (create.style & WS_DISABLED)
    SetEnabled(false);
  if (create.lpszName && *create.lpszName)
    SetIPString(create.lpszName);
  return true;
}

// Two lowered bevels around a white face, and the dots between the fields.
void TRIPEdit::Paint() {
  const PaintSession paint(FHandle);
  HDC dc = paint.Dc();
  if (!dc)
    return;
  RECT face{};
  ::GetClientRect(FHandle, &face);
  ::FillRect(dc, &face, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  ::DrawEdge(dc, &face, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
  ::DrawEdge(dc, &face, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);

  const FontSelection selection(dc, FDotFont.get());
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
  SIZE dotExtent{};
  ::GetTextExtentPoint32A(dc, ".", 1, &dotExtent);
  for (int dot = 1; dot < kOctetCount; ++dot)
    ::TextOutA(dc, DotLeft(dot, dotExtent.cx), kDotTop, ".", 1);
}

LRESULT TRIPEdit::CopyText(WPARAM size, LPARAM buffer) const {
  if (size == 0 || buffer == 0)
    return 0;
  const std::string text = IPString();
  const std::size_t count = std::min<std::size_t>(text.size(), size - 1);
  auto* target = reinterpret_cast<char*>(buffer);
  std::memcpy(target, text.data(), count);
  target[count] = '\0';
  return static_cast<LRESULT>(count);
}

void TRIPEdit::FieldExit(int field) {
  if (!FDestroying)
    FModel.Exit(field);
}

std::string TRIPEdit::Text(int field) const {
  HWND handle = FieldHandle(field);
  std::string text(static_cast<std::size_t>(::GetWindowTextLengthA(handle)) + 1, '\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextA(handle, text.data(), static_cast<int>(text.size()))));
  return text;
}

void TRIPEdit::SetText(int field, const std::string& text) {
  ::SetWindowTextA(FieldHandle(field), text.c_str());
}

// A field in a window that is not the active one is not focused: a value
// written while the window is hidden or in the background must not pull
// that window to the front.
bool TRIPEdit::CanFocus(int field) const {
  HWND handle = FieldHandle(field);
  return ::IsWindowEnabled(handle) && ::IsWindowVisible(handle) &&
         ::GetActiveWindow() == ::GetAncestor(handle, GA_ROOT);
}

void TRIPEdit::Focus(int field) {
  ::SetFocus(FieldHandle(field));
}

void TRIPEdit::SelectAll(int field) {
  ::SendMessageA(FieldHandle(field), EM_SETSEL, 0, -1);
}

void TRIPEdit::Beep() {
  if (FBeep)
    FBeep();
  else
    ::MessageBeep(0);
}

} // namespace quorvin

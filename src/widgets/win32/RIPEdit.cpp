#include "widgets/win32/RIPEdit.h"

#include "base/win32/GdiOwners.h"
#include "base/win32/WindowBase.h"

#include <algorithm>
#include <cstring>

namespace quorvin {

namespace {

// Not in the headers for Windows 7, which the build targets.
constexpr UINT kDpiChangedAfterParent = 0x02E3;
// A focus move asked for while a field is losing the focus waits until that
// focus change is over (changing the focus inside WM_KILLFOCUS fights it).
constexpr UINT kMoveFocusMessage = WM_APP + 0x201;

HFONT CreatePointFont(const char* face, int points, int dpi) {
  return ::CreateFontA(-::MulDiv(points, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
}

TEXTMETRICA FontMetrics(HWND window, HFONT font) {
  TEXTMETRICA metrics{};
  const WindowDc dc = quorvin::GetDC(window);
  if (!dc)
    return metrics;
  const SelectionScope selection(dc.get(), font);
  ::GetTextMetricsA(dc.get(), &metrics);
  return metrics;
}

bool IsRIPEditWindow(HWND window) {
  char name[sizeof kRIPEditClassName + 1] = {};
  return window && ::GetClassNameA(window, name, sizeof name) > 0 && ::lstrcmpiA(name, kRIPEditClassName) == 0;
}

} // namespace

bool RegisterRIPEditClass(HINSTANCE instance) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = TRIPEdit::WindowProc;
  windowClass.cbWndExtra = sizeof(TRIPEdit*);
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursor(nullptr, IDC_IBEAM);
  windowClass.lpszClassName = kRIPEditClassName;
  return RegisterClassOnce(windowClass);
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
  // The object is made with the window, since templates create it by its
  // class name alone; a failed creation makes CreateWindow fail.
  const LRESULT failed = message == WM_NCCREATE ? FALSE : message == WM_CREATE ? -1 : 0;
  return GuardedMessage(window, failed, [&]() -> LRESULT {
    auto* self = reinterpret_cast<TRIPEdit*>(::GetWindowLongPtrA(window, 0));
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
  });
}

LRESULT TRIPEdit::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_CREATE:
    return CreateParts(*reinterpret_cast<const CREATESTRUCTA*>(lParam)) ? 0 : -1;
  case WM_DESTROY:
    FDestroying = true;
    return 0;
  case WM_PAINT: {
    const PaintSession paint(FHandle);
    if (paint.Dc())
      Paint(paint.Dc());
    return 0;
  }
  case WM_PRINTCLIENT:
    Paint(reinterpret_cast<HDC>(wParam));
    return 0;
  case WM_SIZE:
    LayOut();
    return 0;
  case kDpiChangedAfterParent:
    ApplyDpi();
    return 0;
  case kMoveFocusMessage:
    if (CanFocus(static_cast<int>(wParam)))
      ::SetFocus(FieldHandle(static_cast<int>(wParam)));
    return 0;
  case WM_ERASEBKGND:
    return 1; // the paint fills the whole panel
  case WM_COMMAND: {
    const int field = LOWORD(wParam);
    if (HIWORD(wParam) == EN_CHANGE && field >= 1 && field <= kOctetCount &&
        reinterpret_cast<HWND>(lParam) == FieldHandle(field))
      FieldChanged(field);
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
  for (int field = 1; field <= kOctetCount; ++field)
    if (!FOctetFields[field - 1].Create(FHandle, field, RECT{}, nullptr, *this))
      return false;
  ApplyDpi();
  if (create.style & WS_DISABLED)
    SetEnabled(false);
  // A control comes with its text; that is no change to report.
  FCreating = true;
  if (create.lpszName && *create.lpszName)
    SetIPString(create.lpszName);
  FCreating = false;
  return true;
}

int TRIPEdit::WindowDpi() const { return FDpiOverride > 0 ? FDpiOverride : quorvin::WindowDpi(FHandle); }

void TRIPEdit::ApplyDpi() {
  FDpi = WindowDpi();
  FFieldFont.reset(CreatePointFont("Verdana", kRIPEditFontPoints, FDpi));
  FDotFont.reset(CreatePointFont("Fixedsys", kRIPEditFontPoints, FDpi));
  for (const auto& field : FOctetFields)
    ::SendMessageA(field.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(FFieldFont.get()), FALSE);
  LayOut();
}

void TRIPEdit::LayOut() {
  RECT client{};
  ::GetClientRect(FHandle, &client);
  const TEXTMETRICA metrics = FontMetrics(FHandle, FFieldFont.get());
  FFieldAscent = metrics.tmAscent;
  FLayout = LayOutRIPEdit(client.right, client.bottom, FDpi, metrics.tmHeight);
  for (int field = 0; field < kOctetCount; ++field) {
    const TLayoutRect& rect = FLayout.Fields[field];
    ::SetWindowPos(FOctetFields[field].Handle(), nullptr, rect.Left, rect.Top, rect.Width, rect.Height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
  }
  ::InvalidateRect(FHandle, nullptr, TRUE);
}

void TRIPEdit::FieldChanged(int field) {
  FModel.Change(field);
  if (FCreating || FDestroying)
    return;
  HWND parent = ::GetParent(FHandle);
  const int id = ::GetDlgCtrlID(FHandle);
  if (parent)
    ::SendMessageA(parent, WM_COMMAND, MAKEWPARAM(id, EN_CHANGE), reinterpret_cast<LPARAM>(FHandle));
}

// Two lowered bevels around a white face, and the dots between the fields.
void TRIPEdit::Paint(HDC dc) {
  RECT face{};
  ::GetClientRect(FHandle, &face);
  ::FillRect(dc, &face, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  ::DrawEdge(dc, &face, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
  ::DrawEdge(dc, &face, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);

  // Each dot stands in its gap on the line of the digits beside it.
  const SelectionScope selection(dc, FDotFont.get());
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
  const UINT alignment = ::SetTextAlign(dc, TA_BASELINE | TA_LEFT);
  SIZE dotExtent{};
  ::GetTextExtentPoint32A(dc, ".", 1, &dotExtent);
  const int baseline = FLayout.Fields[0].Top + FFieldAscent;
  for (int dot = 0; dot < kOctetCount - 1; ++dot)
    ::TextOutA(dc, FLayout.DotCentres[dot] - dotExtent.cx / 2, baseline, ".", 1);
  ::SetTextAlign(dc, alignment);
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
  if (FDestroying)
    return;
  FExiting = true;
  try {
    FModel.Exit(field);
  } catch (...) {
    FExiting = false;
    throw;
  }
  FExiting = false;
}

std::string TRIPEdit::Text(int field) const {
  return WindowText(FieldHandle(field));
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
  if (FExiting)
    ::PostMessageA(FHandle, kMoveFocusMessage, static_cast<WPARAM>(field), 0);
  else
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

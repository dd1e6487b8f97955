#include "widgets/win32/IPMaskEdit.h"

#include "base/ScopeExit.h"
#include "base/win32/GdiOwners.h"
#include "base/win32/WindowBase.h"
#include "widgets/OctetRules.h"

#include <cstring>
#include <string>

namespace quorvin {

bool TIPMaskEdit::Create(HWND parent, int field, const RECT& bounds, HFONT font, IOctetFieldOwner& owner) {
  FField = field;
  FOwner = &owner;
  FHandle = ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, bounds.left,
                              bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(field)),
                              reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(parent, GWLP_HINSTANCE)), nullptr);
  if (!FHandle)
    return false;
  ::SendMessageA(FHandle, EM_LIMITTEXT, kOctetMaxLength, 0);
  ::SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  // The window's own procedure is replaced, the field found in its user
  // data: every message comes straight here, with none of the lookups of
  // subclass data that a subclass chain makes for each one.
  ::SetWindowLongPtrA(FHandle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  FEditProc = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrA(FHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TIPMaskEdit::WindowProc)));
  return FEditProc != nullptr;
}

LRESULT CALLBACK TIPMaskEdit::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<TIPMaskEdit*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message == WM_NCDESTROY) {
    // The edit's own procedure back in place for its last message.
    ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(self->FEditProc));
    ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    return ::CallWindowProcA(self->FEditProc, window, message, wParam, lParam);
  }
  // What the owner's key or exit handling throws counts as handled.
  return GuardedMessage(window, 0, [&] { return self->HandleMessage(message, wParam, lParam); });
}

LRESULT TIPMaskEdit::Edit(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::CallWindowProcA(FEditProc, FHandle, message, wParam, lParam);
}

LRESULT TIPMaskEdit::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_KEYDOWN: {
    const unsigned key = FOwner->FieldKeyDown(FField, static_cast<unsigned>(wParam));
    if (key == 0)
      return 0;
    return Edit(message, key, lParam);
  }
  case WM_CHAR:
    if (!OctetCharAllowed(static_cast<unsigned char>(wParam)))
      return 0;
    break;
  case WM_PASTE:
    if (!ClipboardAllowsPaste())
      return 0;
    break;
  case WM_PAINT:
    Paint(reinterpret_cast<HDC>(wParam));
    return 0;
  case WM_ERASEBKGND:
    return 1; // the paint fills the whole client area
  case WM_LBUTTONDOWN: {
    // A click places the caret where it lands; any other way in selects all.
    FClicking = true;
    const LRESULT result = Edit(message, wParam, lParam);
    FClicking = false;
    return result;
  }
  case WM_SETFOCUS: {
    const LRESULT result = Edit(message, wParam, lParam);
    if (!FClicking)
      ::SendMessageA(FHandle, EM_SETSEL, 0, -1);
    return result;
  }
  case WM_KILLFOCUS: {
    // The edit draws its text left-aligned while it has the focus; once it
    // is left, the centred paint takes over again.
    const LRESULT result = Edit(message, wParam, lParam);
    ::InvalidateRect(FHandle, nullptr, TRUE);
    FOwner->FieldExit(FField);
    return result;
  }
  default:
    break;
  }
  return Edit(message, wParam, lParam);
}

bool TIPMaskEdit::ClipboardAllowsPaste() const {
  if (!::IsClipboardFormatAvailable(CF_TEXT))
    return false;
  if (!::OpenClipboard(FHandle))
    return false;
  const ScopeExit closeClipboard([] { ::CloseClipboard(); });
  HANDLE data = ::GetClipboardData(CF_TEXT);
  const auto* text = data ? static_cast<const char*>(::GlobalLock(data)) : nullptr;
  if (!text)
    return false;
  const ScopeExit unlock([data] { ::GlobalUnlock(data); });
  return OctetPasteAllowed(std::string_view(text, ::strnlen(text, kOctetMaxLength)));
}

void TIPMaskEdit::Paint(HDC given) {
  if (given) {
    DrawCentred(given);
    return;
  }
  const PaintSession paint(FHandle);
  if (paint.Dc())
    DrawCentred(paint.Dc());
}

// Borderless: no frame, no vertical margin, and the text centred across the
// whole client width, so the horizontal margin plays no part.
void TIPMaskEdit::DrawCentred(HDC dc) const {
  RECT client{};
  ::GetClientRect(FHandle, &client);
  const auto font = reinterpret_cast<HFONT>(::SendMessageA(FHandle, WM_GETFONT, 0, 0));
  const SelectionScope selection(dc, font);
  ::SetTextColor(dc, ::GetSysColor(::IsWindowEnabled(FHandle) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
  ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
  const std::string text = WindowText(FHandle);
  SIZE extent{};
  ::GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  const int left = CentredTextLeft(client.right - client.left, extent.cx);
  ::ExtTextOutA(dc, left, 0, ETO_OPAQUE | ETO_CLIPPED, &client, text.c_str(), static_cast<UINT>(text.size()),
                nullptr);
}

} // namespace quorvin

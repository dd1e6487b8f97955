#include "widgets/win32/IPMaskEdit.h"

#include "widgets/OctetRules.h"
#include "widgets/win32/PaintScope.h"

#include <commctrl.h>

#include <cstring>
#include <string>

namespace quorvin {

namespace {

constexpr UINT_PTR kSubclassId = 1;

class ClipboardSession {
public:
  explicit ClipboardSession(HWND owner) : FOpen(::OpenClipboard(owner) != FALSE) {}
  ~ClipboardSession() {
    if (FOpen)
      ::CloseClipboard();
  }
  ClipboardSession(const ClipboardSession&) = delete;
  ClipboardSession& operator=(const ClipboardSession&) = delete;
  bool IsOpen() const { return FOpen; }

private:
  bool FOpen;
};

class GlobalLockGuard {
public:
  explicit GlobalLockGuard(HGLOBAL memory) : FMemory(memory), FData(::GlobalLock(memory)) {}
  ~GlobalLockGuard() {
    if (FData)
      ::GlobalUnlock(FMemory);
  }
  GlobalLockGuard(const GlobalLockGuard&) = delete;
  GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
  const void* Data() const { return FData; }

private:
  HGLOBAL FMemory;
  void* FData;
};

std::string WindowText(HWND window) {
  std::string text(static_cast<std::size_t>(::GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

} // namespace

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
  return ::SetWindowSubclass(FHandle, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)) != FALSE;
}

LRESULT CALLBACK TIPMaskEdit::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                           DWORD_PTR self) {
  if (message == WM_NCDESTROY) {
    ::RemoveWindowSubclass(window, SubclassProc, kSubclassId);
    return ::DefSubclassProc(window, message, wParam, lParam);
  }
  return reinterpret_cast<TIPMaskEdit*>(self)->HandleMessage(message, wParam, lParam);
}

LRESULT TIPMaskEdit::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_KEYDOWN: {
    const unsigned key = FOwner->FieldKeyDown(FField, static_cast<unsigned>(wParam));
    if (key == 0)
      return 0;
    return ::DefSubclassProc(FHandle, message, key, lParam);
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
    const LRESULT result = ::DefSubclassProc(FHandle, message, wParam, lParam);
    FClicking = false;
    return result;
  }
  case WM_SETFOCUS: {
    const LRESULT result = ::DefSubclassProc(FHandle, message, wParam, lParam);
    if (!FClicking)
      ::SendMessageA(FHandle, EM_SETSEL, 0, -1);
    return result;
  }
  case WM_KILLFOCUS: {
    // The edit draws its text left-aligned while it has the focus; once it
    // is left, the centred paint takes over again.
    const LRESULT result = ::DefSubclassProc(FHandle, message, wParam, lParam);
    ::InvalidateRect(FHandle, nullptr, TRUE);
    FOwner->FieldExit(FField);
    return result;
  }
  default:
    break;
  }
  return ::DefSubclassProc(FHandle, message, wParam, lParam);
}

bool TIPMaskEdit::ClipboardAllowsPaste() const {
  if (!::IsClipboardFormatAvailable(CF_TEXT))
    return false;
  const ClipboardSession clipboard(FHandle);
  if (!clipboard.IsOpen())
    return false;
  HANDLE data = ::GetClipboardData(CF_TEXT);
  if (!data)
    return false;
  const GlobalLockGuard lock(data);
  const auto* text = static_cast<const char*>(lock.Data());
  if (!text)
    return false;
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
  const FontSelection selection(dc, font);
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

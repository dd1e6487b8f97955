#pragma once
// Owners of GDI objects, icons and device contexts, and the scoped pieces of
// drawing: a window's DC, a WM_PAINT session and an object selected into a DC.

#include <windows.h>

#include <memory>
#include <type_traits>

namespace quorvin {

struct GdiObjectDeleter {
  void operator()(void* object) const noexcept { ::DeleteObject(static_cast<HGDIOBJ>(object)); }
};
struct IconDestroyer {
  void operator()(HICON icon) const noexcept { ::DestroyIcon(icon); }
};
struct DcDeleter {
  void operator()(HDC dc) const noexcept { ::DeleteDC(dc); }
};

using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;
using UniqueBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiObjectDeleter>;
using UniqueBrush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiObjectDeleter>;
using UniqueIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDestroyer>;
// A DC that was created (CreateCompatibleDC and its kind), not one obtained.
using UniqueDc = std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter>;

// The DC of a window (or of the screen for a null window), released at the
// end of the scope.
class WindowDc {
public:
  explicit WindowDc(HWND window) noexcept : FWindow(window), FDc(::GetDC(window)) {}
  ~WindowDc() {
    if (FDc)
      ::ReleaseDC(FWindow, FDc);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const noexcept { return FDc; }
  explicit operator bool() const noexcept { return FDc != nullptr; }

private:
  HWND FWindow;
  HDC FDc;
};

// Called as quorvin::GetDC: argument-dependent lookup also finds ::GetDC.
[[nodiscard]] inline WindowDc GetDC(HWND window) noexcept { return WindowDc(window); }

// BeginPaint and EndPaint of one WM_PAINT.
class PaintSession {
public:
  explicit PaintSession(HWND window) noexcept : FWindow(window), FDc(::BeginPaint(window, &FPaint)) {}
  ~PaintSession() { ::EndPaint(FWindow, &FPaint); }
  PaintSession(const PaintSession&) = delete;
  PaintSession& operator=(const PaintSession&) = delete;
  HDC Dc() const noexcept { return FDc; }
  const PAINTSTRUCT& Paint() const noexcept { return FPaint; }

private:
  HWND FWindow;
  PAINTSTRUCT FPaint{};
  HDC FDc;
};

// An object selected into a DC until the end of the scope. A null object
// selects nothing, so a control without a font of its own draws with the
// DC's.
class SelectionScope {
public:
  SelectionScope(HDC dc, HGDIOBJ object) noexcept : FDc(dc), FOld(object ? ::SelectObject(dc, object) : nullptr) {}
  ~SelectionScope() {
    if (FOld)
      ::SelectObject(FDc, FOld);
  }
  SelectionScope(const SelectionScope&) = delete;
  SelectionScope& operator=(const SelectionScope&) = delete;

private:
  HDC FDc;
  HGDIOBJ FOld;
};

} // namespace quorvin

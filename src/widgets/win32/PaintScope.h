#pragma once
// Scoped pieces of painting: the paint session of a WM_PAINT and a font
// selected into a device context for one drawing.

#include <windows.h>

namespace quorvin {

class FontSelection {
public:
  FontSelection(HDC dc, HFONT font) : FDc(dc), FOld(font ? ::SelectObject(dc, font) : nullptr) {}
  ~FontSelection() {
    if (FOld)
      ::SelectObject(FDc, FOld);
  }
  FontSelection(const FontSelection&) = delete;
  FontSelection& operator=(const FontSelection&) = delete;

private:
  HDC FDc;
  HGDIOBJ FOld;
};

class PaintSession {
public:
  explicit PaintSession(HWND window) : FWindow(window), FDc(::BeginPaint(window, &FPaint)) {}
  ~PaintSession() { ::EndPaint(FWindow, &FPaint); }
  PaintSession(const PaintSession&) = delete;
  PaintSession& operator=(const PaintSession&) = delete;
  HDC Dc() const { return FDc; }

private:
  HWND FWindow;
  PAINTSTRUCT FPaint{};
  HDC FDc;
};

} // namespace quorvin

#pragma once
// Owners of the GDI objects and icons that the windows create.

#include <windows.h>

#include <memory>
#include <type_traits>

namespace quorvin {

struct GdiObjectDeleter {
  void operator()(void* object) const { ::DeleteObject(static_cast<HGDIOBJ>(object)); }
};
struct IconDeleter {
  void operator()(HICON icon) const { ::DestroyIcon(icon); }
};
struct MemoryDcDeleter {
  void operator()(HDC dc) const { ::DeleteDC(dc); }
};

using OwnedBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiObjectDeleter>;
using OwnedFont = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;
using OwnedBrush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiObjectDeleter>;
using OwnedIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;
using OwnedMemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, MemoryDcDeleter>;

// An object selected into a device context until the end of the scope.
class Selection {
public:
  Selection(HDC dc, HGDIOBJ object) : FDc(dc), FOld(::SelectObject(dc, object)) {}
  ~Selection() {
    if (FOld)
      ::SelectObject(FDc, FOld);
  }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

private:
  HDC FDc;
  HGDIOBJ FOld;
};

} // namespace quorvin

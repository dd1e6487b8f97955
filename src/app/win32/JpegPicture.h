#pragma once
// A JPEG picture as a bitmap of its own, from an RCDATA resource or from
// bytes, and drawn stretched into any rectangle.

#include "base/win32/GdiOwners.h"

#include <windows.h>

#include <string_view>

namespace quorvin {

class JpegPicture {
public:
  // Throws QuorvinError when the resource is missing or does not decode.
  static JpegPicture FromResource(HINSTANCE module, int id);
  static JpegPicture FromBytes(std::string_view bytes);

  HBITMAP Bitmap() const { return FBitmap.get(); }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }

  void DrawStretched(HDC dc, const RECT& target) const;

private:
  JpegPicture(UniqueBitmap bitmap, int width, int height);

  UniqueBitmap FBitmap;
  int FWidth;
  int FHeight;
};

} // namespace quorvin

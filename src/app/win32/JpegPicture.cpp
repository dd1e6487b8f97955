#include "app/win32/JpegPicture.h"

#include "app/JpegDecoder.h"
#include "base/QuorvinError.h"
#include "base/win32/ErrorChecks.h"

#include <cstdint>
#include <string>

namespace quorvin {

JpegPicture::JpegPicture(UniqueBitmap bitmap, int width, int height)
    : FBitmap(std::move(bitmap)), FWidth(width), FHeight(height) {}

JpegPicture JpegPicture::FromResource(HINSTANCE module, int id) {
  HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(10)); // RT_RCDATA
  HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
  const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
  if (!bytes) {
    const DWORD error = ::GetLastError();
    throw QuorvinError(FormatText("Unreadable picture: %s", "no resource " + std::to_string(id)), error);
  }
  return FromBytes(std::string_view(static_cast<const char*>(bytes), ::SizeofResource(module, found)));
}

JpegPicture JpegPicture::FromBytes(std::string_view bytes) {
  const RgbPicture picture = DecodeJpeg(bytes);
  // A top-down 32-bit section: rows need no padding and the pixels are
  // written in the order they were decoded.
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = picture.Width;
  info.bmiHeader.biHeight = -picture.Height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  ThrowLastErrorIf(!bitmap || !bits, "Unreadable picture: no memory for the bitmap");
  auto* out = static_cast<std::uint8_t*>(bits);
  for (std::size_t i = 0, count = picture.Pixels.size() / 3; i < count; ++i) {
    out[4 * i] = picture.Pixels[3 * i + 2];
    out[4 * i + 1] = picture.Pixels[3 * i + 1];
    out[4 * i + 2] = picture.Pixels[3 * i];
    out[4 * i + 3] = 0;
  }
  ::GdiFlush();
  return JpegPicture(std::move(bitmap), picture.Width, picture.Height);
}

void JpegPicture::DrawStretched(HDC dc, const RECT& target) const {
  UniqueDc memory(::CreateCompatibleDC(dc));
  if (!memory)
    return;
  SelectionScope selected(memory.get(), FBitmap.get());
  // HALFTONE averages when shrinking; it needs the brush origin reset.
  const int oldMode = ::SetStretchBltMode(dc, HALFTONE);
  POINT oldOrigin{};
  ::SetBrushOrgEx(dc, 0, 0, &oldOrigin);
  ::StretchBlt(dc, target.left, target.top, target.right - target.left, target.bottom - target.top,
               memory.get(), 0, 0, FWidth, FHeight, SRCCOPY);
  ::SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
  ::SetStretchBltMode(dc, oldMode);
}

} // namespace quorvin

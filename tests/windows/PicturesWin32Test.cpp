// The program's pictures as the windows load them: the JPEG resources
// decoded into bitmaps and the icon in each of its sizes.

#include "app/win32/JpegPicture.h"
#include "app/win32/resource.h"
#include "base/QuorvinError.h"

#include <gtest/gtest.h>

namespace quorvin {
namespace {

struct PictureCase {
  int Id, Width, Height;
};

TEST(PicturesWin32, JpegResourcesDecodeToTheirSizes) {
  for (const PictureCase& c : {PictureCase{IDR_TITLEBAND, 639, 50}, PictureCase{IDR_BANNER, 360, 50},
                               PictureCase{IDR_HOMEPAGE, 200, 40}}) {
    const JpegPicture picture = JpegPicture::FromResource(::GetModuleHandleA(nullptr), c.Id);
    EXPECT_EQ(picture.Width(), c.Width) << c.Id;
    EXPECT_EQ(picture.Height(), c.Height) << c.Id;
    BITMAP info{};
    ASSERT_TRUE(::GetObjectA(picture.Bitmap(), sizeof info, &info));
    EXPECT_EQ(info.bmWidth, c.Width);
    EXPECT_EQ(info.bmHeight, c.Height);
  }
  EXPECT_THROW(JpegPicture::FromResource(::GetModuleHandleA(nullptr), 19), QuorvinError);
}

TEST(PicturesWin32, TitleBandStretchesDarkBlueUnderWhiteText) {
  const JpegPicture band = JpegPicture::FromResource(::GetModuleHandleA(nullptr), IDR_TITLEBAND);
  HDC screen = ::GetDC(nullptr);
  UniqueDc dc(::CreateCompatibleDC(screen));
  UniqueBitmap target(::CreateCompatibleBitmap(screen, 200, 30));
  ::ReleaseDC(nullptr, screen);
  SelectionScope selected(dc.get(), target.get());
  band.DrawStretched(dc.get(), RECT{0, 0, 200, 30});
  for (const POINT at : {POINT{2, 2}, POINT{100, 15}, POINT{197, 27}}) {
    const COLORREF pixel = ::GetPixel(dc.get(), at.x, at.y);
    EXPECT_GT(GetBValue(pixel), GetRValue(pixel) + 40) << at.x;
    EXPECT_LT(GetRValue(pixel) + GetGValue(pixel) + GetBValue(pixel), 3 * 128) << "dark enough for white text";
  }
}

TEST(PicturesWin32, ProgramIconHasEachSize) {
  for (const int size : {16, 24, 32, 48, 256}) {
    UniqueIcon icon(static_cast<HICON>(
        ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_QUORVIN), IMAGE_ICON, size, size, 0)));
    ASSERT_TRUE(icon) << size;
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(icon.get(), &info));
    UniqueBitmap colour(info.hbmColor), mask(info.hbmMask);
    BITMAP bitmap{};
    ::GetObjectA(colour.get(), sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, size);
  }
  UniqueIcon update(static_cast<HICON>(
      ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_UPDATE), IMAGE_ICON, 16, 16, 0)));
  EXPECT_TRUE(update);
}

} // namespace
} // namespace quorvin

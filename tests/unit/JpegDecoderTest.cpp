// The JPEG decoder over pictures that libjpeg itself encodes here.

#include "app/JpegDecoder.h"

#include "base/QuorvinError.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include <jpeglib.h>

namespace quorvin {
namespace {

struct Colour {
  int R, G, B;
};

// A picture whose left half is left and right half right, as JPEG bytes.
std::string Encode(int width, int height, Colour left, Colour right, bool grey = false) {
  jpeg_compress_struct info{};
  jpeg_error_mgr error{};
  info.err = jpeg_std_error(&error);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = grey ? 1 : 3;
  info.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 95, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<unsigned char> row(static_cast<std::size_t>(width) * info.input_components);
  for (int x = 0; x < width; ++x) {
    const Colour c = x < width / 2 ? left : right;
    if (grey)
      row[x] = static_cast<unsigned char>(c.R);
    else {
      row[3 * x] = static_cast<unsigned char>(c.R);
      row[3 * x + 1] = static_cast<unsigned char>(c.G);
      row[3 * x + 2] = static_cast<unsigned char>(c.B);
    }
  }
  while (info.next_scanline < info.image_height) {
    JSAMPROW pointer = row.data();
    jpeg_write_scanlines(&info, &pointer, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::string bytes(reinterpret_cast<char*>(buffer), size);
  std::free(buffer);
  return bytes;
}

void ExpectNear(const RgbPicture& picture, int x, int y, Colour expected) {
  const std::size_t at = (static_cast<std::size_t>(y) * picture.Width + x) * 3;
  EXPECT_NEAR(picture.Pixels[at], expected.R, 6) << x << "," << y;
  EXPECT_NEAR(picture.Pixels[at + 1], expected.G, 6) << x << "," << y;
  EXPECT_NEAR(picture.Pixels[at + 2], expected.B, 6) << x << "," << y;
}

TEST(JpegDecoder, GivesRowsFromTheTopInRgbOrder) {
  const Colour red{220, 30, 30}, blue{20, 40, 200};
  const RgbPicture picture = DecodeJpeg(Encode(64, 24, red, blue));
  ASSERT_EQ(picture.Width, 64);
  ASSERT_EQ(picture.Height, 24);
  ASSERT_EQ(picture.Pixels.size(), 64u * 24u * 3u);
  ExpectNear(picture, 4, 2, red);
  ExpectNear(picture, 60, 21, blue);
}

TEST(JpegDecoder, GreyPicturesComeOutAsRgb) {
  const RgbPicture picture = DecodeJpeg(Encode(32, 16, {40, 0, 0}, {200, 0, 0}, true));
  ASSERT_EQ(picture.Pixels.size(), 32u * 16u * 3u);
  ExpectNear(picture, 2, 8, {40, 40, 40});
  ExpectNear(picture, 29, 8, {200, 200, 200});
}

TEST(JpegDecoder, DamagedDataIsRefusedWithoutEndingTheProgram) {
  const std::string good = Encode(16, 16, {0, 0, 0}, {255, 255, 255});
  std::string hugeSide = good;
  // The frame header (FF C0, length, precision) holds the height, then the width.
  const std::size_t frame = hugeSide.find("\xFF\xC0");
  ASSERT_NE(frame, std::string::npos);
  hugeSide[frame + 5] = static_cast<char>(0x7F); // height 0x7F10
  const std::string cases[] = {"", "not a picture at all", good.substr(0, 2), good.substr(0, good.size() / 3),
                               hugeSide};
  for (const std::string& bytes : cases)
    EXPECT_THROW(DecodeJpeg(bytes), QuorvinError) << bytes.size() << " bytes";
}

} // namespace
} // namespace quorvin

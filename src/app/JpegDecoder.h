#pragma once
// JPEG bytes decoded to plain RGB pixels with libjpeg; the Windows side turns
// them into a bitmap.

#include <cstdint>
#include <string_view>
#include <vector>

namespace quorvin {

struct RgbPicture {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint8_t> Pixels; // R, G, B for each pixel; rows from the top, no padding
};

// A side longer than this is refused, so that a damaged header cannot ask
// for gigabytes.
inline constexpr int kMaxPictureSide = 8192;

// Throws QuorvinError "Unreadable picture: %s" (libjpeg's message) when the
// bytes are not a JPEG that decodes to RGB or grey.
RgbPicture DecodeJpeg(std::string_view bytes);

} // namespace quorvin

#include "app/JpegDecoder.h"

#include "base/QuorvinError.h"

#include <csetjmp>
#include <cstddef>
#include <cstdio> // jpeglib.h needs FILE and size_t declared first
#include <string>

#include <jpeglib.h>

namespace quorvin {
namespace {

// libjpeg's default error handler ends the process. Ours jumps back to the
// decoder, which then throws: an exception must not cross libjpeg's C frames.
struct ErrorJump {
  jpeg_error_mgr Manager;
  std::jmp_buf Jump;
  char Message[JMSG_LENGTH_MAX];
};

void OnError(j_common_ptr info) {
  auto* error = reinterpret_cast<ErrorJump*>(info->err);
  (*info->err->format_message)(info, error->Message);
  std::longjmp(error->Jump, 1);
}

void Ignore(j_common_ptr) {}

// Everything the jump may come back to lives here, in memory, so that no
// local changed after setjmp is read after longjmp.
struct Decoding {
  jpeg_decompress_struct Info{};
  ErrorJump Error{};
  RgbPicture Picture;
  std::string Failure;
};

bool Decode(Decoding& d, std::string_view bytes) {
  d.Info.err = jpeg_std_error(&d.Error.Manager);
  d.Error.Manager.error_exit = OnError;
  d.Error.Manager.output_message = Ignore;
  if (setjmp(d.Error.Jump)) {
    d.Failure = d.Error.Message;
    jpeg_destroy_decompress(&d.Info);
    return false;
  }
  jpeg_create_decompress(&d.Info);
  jpeg_mem_src(&d.Info, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&d.Info, TRUE);
  if (d.Info.image_width > static_cast<unsigned>(kMaxPictureSide) ||
      d.Info.image_height > static_cast<unsigned>(kMaxPictureSide)) {
    d.Failure = "the picture is larger than " + std::to_string(kMaxPictureSide) + " pixels a side";
    jpeg_destroy_decompress(&d.Info);
    return false;
  }
  d.Info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&d.Info);
  const std::size_t stride = static_cast<std::size_t>(d.Info.output_width) * 3;
  d.Picture.Width = static_cast<int>(d.Info.output_width);
  d.Picture.Height = static_cast<int>(d.Info.output_height);
  d.Picture.Pixels.resize(stride * d.Info.output_height);
  while (d.Info.output_scanline < d.Info.output_height) {
    JSAMPROW row = d.Picture.Pixels.data() + stride * d.Info.output_scanline;
    jpeg_read_scanlines(&d.Info, &row, 1);
  }
  jpeg_finish_decompress(&d.Info);
  jpeg_destroy_decompress(&d.Info);
  return true;
}

} // namespace

RgbPicture DecodeJpeg(std::string_view bytes) {
  if (bytes.empty())
    throw QuorvinError(FormatText("Unreadable picture: %s", "no data"));
  Decoding decoding;
  if (!Decode(decoding, bytes))
    throw QuorvinError(FormatText("Unreadable picture: %s", decoding.Failure));
  return std::move(decoding.Picture);
}

} // namespace quorvin

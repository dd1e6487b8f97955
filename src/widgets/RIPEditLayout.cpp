#include "widgets/RIPEditLayout.h"

#include <algorithm>

namespace quorvin {

namespace {
// The design's margins at 96 DPI: the fields start 3 pixels into each
// quarter and end 2 before the next, and leave 3 above and 1 below.
constexpr int kFieldInset = 3;
constexpr int kFieldGap = 5;
constexpr int kHeightLoss = 4;
} // namespace

int ScaleToDpi(int pixelsAtDesign, int dpi) { return (pixelsAtDesign * dpi + kDesignDpi / 2) / kDesignDpi; }

TRIPEditLayout LayOutRIPEdit(int width, int height, int dpi, int textHeight) {
  const int pitch = width / kOctetCount;
  const int inset = ScaleToDpi(kFieldInset, dpi);
  int top = inset;
  int fieldHeight = height - ScaleToDpi(kHeightLoss, dpi);
  if (fieldHeight < textHeight) {
    fieldHeight = std::min(textHeight, height);
    top = (height - fieldHeight) / 2;
  }
  TRIPEditLayout layout;
  for (int field = 0; field < kOctetCount; ++field)
    layout.Fields[field] = {field * pitch + inset, top, std::max(0, pitch - ScaleToDpi(kFieldGap, dpi)),
                            std::max(0, fieldHeight)};
  for (int dot = 0; dot < kOctetCount - 1; ++dot) {
    const TLayoutRect& before = layout.Fields[dot];
    layout.DotCentres[dot] = (before.Left + before.Width + layout.Fields[dot + 1].Left) / 2;
  }
  return layout;
}

} // namespace quorvin

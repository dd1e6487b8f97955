#pragma once
// Where the IP address edit puts its four fields and three dots, from its
// own client size and DPI. At the design size (120 x 20 at 96 DPI) this is
// the fixed layout of the original control: fields 25 x 16 at 3, 33, 63, 93
// and top 3; elsewhere the same proportions, the margins scaled by the DPI.

#include "widgets/OctetRules.h"

#include <array>

namespace quorvin {

inline constexpr int kDesignDpi = 96;
inline constexpr int kRIPEditFontPoints = 9;

struct TLayoutRect {
  int Left = 0, Top = 0, Width = 0, Height = 0;
  bool operator==(const TLayoutRect&) const = default;
};

struct TRIPEditLayout {
  std::array<TLayoutRect, kOctetCount> Fields;
  // The horizontal middle of the gap after field 1, 2 and 3.
  std::array<int, kOctetCount - 1> DotCentres{};
};

// pixelsAtDesign at dpi, rounded to the nearest pixel.
int ScaleToDpi(int pixelsAtDesign, int dpi);

// width and height: the client size; textHeight: the line height of the
// fields' font. A field never gets less height than its text needs while
// the control has it; then the field sits centred instead.
TRIPEditLayout LayOutRIPEdit(int width, int height, int dpi, int textHeight);

} // namespace quorvin

#include "widgets/RIPEditLayout.h"

#include <gtest/gtest.h>

namespace quorvin {
namespace {

TEST(RIPEditLayout, TheDesignSizeGivesTheDesignLayout) {
  const TRIPEditLayout layout = LayOutRIPEdit(120, 20, 96, 15);
  for (int field = 1; field <= kOctetCount; ++field)
    EXPECT_EQ(layout.Fields[field - 1], (TLayoutRect{(field - 1) * 30 + 3, 3, 25, 16})) << field;
  EXPECT_EQ(layout.DotCentres, (std::array<int, 3>{30, 60, 90}));
}

struct SizeCase {
  const char* Name;
  int Width, Height, Dpi, TextHeight;
};

class RIPEditLayoutSizes : public ::testing::TestWithParam<SizeCase> {};

// Whatever the size: four equal fields inside the panel and in order, each
// tall enough for its text while the panel is, a dot in every gap.
TEST_P(RIPEditLayoutSizes, FieldsShareTheClientAreaAndHoldTheirText) {
  const SizeCase& c = GetParam();
  const TRIPEditLayout layout = LayOutRIPEdit(c.Width, c.Height, c.Dpi, c.TextHeight);
  for (int field = 0; field < kOctetCount; ++field) {
    const TLayoutRect& rect = layout.Fields[field];
    EXPECT_EQ(rect.Width, layout.Fields[0].Width);
    EXPECT_GE(rect.Left, field * c.Width / kOctetCount);
    EXPECT_LE(rect.Left + rect.Width, (field + 1) * c.Width / kOctetCount);
    EXPECT_GE(rect.Top, 0);
    EXPECT_LE(rect.Top + rect.Height, c.Height);
    EXPECT_GE(rect.Height, std::min(c.TextHeight, c.Height)) << field;
  }
  for (int dot = 0; dot < kOctetCount - 1; ++dot) {
    EXPECT_GE(layout.DotCentres[dot], layout.Fields[dot].Left + layout.Fields[dot].Width);
    EXPECT_LE(layout.DotCentres[dot], layout.Fields[dot + 1].Left);
  }
}

INSTANTIATE_TEST_SUITE_P(Sizes, RIPEditLayoutSizes,
                         ::testing::Values(SizeCase{"DialogUnits80x14", 140, 23, 96, 15},
                                           SizeCase{"Wide", 300, 20, 96, 15},
                                           SizeCase{"At144Dpi", 180, 30, 144, 22},
                                           SizeCase{"DesignPixelsAt144Dpi", 120, 20, 144, 22},
                                           SizeCase{"Tiny", 40, 10, 96, 15}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(RIPEditLayout, MarginsGrowWithTheDpi) {
  const TRIPEditLayout layout = LayOutRIPEdit(180, 30, 144, 22);
  EXPECT_EQ(layout.Fields[0], (TLayoutRect{5, 5, 37, 24}));
  EXPECT_EQ(layout.Fields[1].Left, 50);
}

} // namespace
} // namespace quorvin

// The picture buttons' arithmetic and picture work: natural-size placement and
// squeezing, the fixed-border rule and stretch, arrow, icon and caption positions, the
// disabled picture.
#include <gtest/gtest.h>

#include <vector>

#include "chrome/ButtonLayout.h"
#include "chrome/ButtonPictures.h"

namespace qs {
namespace {

struct TNaturalCase { int W, H, PicW, PicH; TRect Expected; };

TEST(ButtonLayout, NaturalSizeIsCentredAndSqueezedWhenTooLarge) {
  const TNaturalCase cases[] = {
      {30, 27, 20, 10, {5, 9, 25, 19}},   // (30 + 1 - 20) div 2, (27 + 1 - 10) div 2
      {30, 27, 30, 27, {0, 0, 30, 27}},   // exact fit
      {30, 27, 29, 26, {1, 1, 30, 27}},   // odd leftover goes right and down
      {30, 27, 40, 50, {0, 0, 30, 27}},   // larger: the whole client area from 0, 0
      {30, 27, 40, 10, {0, 9, 30, 19}},   // wider only
  };
  for (const auto& c : cases)
    EXPECT_EQ(NaturalSizeRect(c.W, c.H, c.PicW, c.PicH), c.Expected) << c.PicW << " x " << c.PicH;
}

TEST(ButtonLayout, FixedBorderNeedsRoomBetweenTheBorders) {
  struct { int Fixed, Extent; bool Applies; } cases[] = {
      {5, 10, false},  // 2 x 5 is not less than 10
      {5, 11, true}, {0, 100, false}, {-3, 100, false}, {1, 3, true},
  };
  for (const auto& c : cases) EXPECT_EQ(FixedBorderApplies(c.Fixed, c.Extent), c.Applies) << c.Fixed << "/" << c.Extent;
}

// A picture of one column whose red values are their row numbers.
TPNGObject Column(int height) {
  TPNGObject p;
  p.CreateBlank(ctRGBAlpha, 8, 1, height);
  for (int y = 0; y < height; ++y) p.SetPixel(0, y, 0xFF000000u | static_cast<uint32_t>(y) << 16);
  return p;
}

std::vector<int> RowsOf(const TPNGObject& p) {
  std::vector<int> v;
  for (int y = 0; y < p.Height(); ++y) v.push_back(static_cast<int>((p.Pixel(0, y) >> 16) & 0xFF));
  return v;
}

TEST(ButtonPictures, FixedRowsKeepTheirSizeWhileTheMiddleStretches) {
  // 2 fixed rows of 6 into 12: rows 0-1 kept, rows 2-3 over 8 rows (source 2 + round(i * 2 / 8),
  // held inside the band), rows 4-5 kept.
  const TPNGObject out = StretchFixedRows(Column(6), 2, 12);
  ASSERT_EQ(out.Width(), 1);
  EXPECT_EQ(RowsOf(out), (std::vector<int>{0, 1, 2, 2, 3, 3, 3, 3, 3, 3, 4, 5}));
  EXPECT_EQ(out.ColorType(), ctRGBAlpha);
}

TEST(ButtonPictures, FixedColumnsWorkLikeFixedRows) {
  TPNGObject row;
  row.CreateBlank(ctRGB, 8, 6, 1);
  for (int x = 0; x < 6; ++x) row.SetPixel(x, 0, static_cast<uint32_t>(x));
  const TPNGObject out = StretchFixedColumns(row, 1, 9);
  ASSERT_EQ(out.Width(), 9);
  std::vector<int> got;
  for (int x = 0; x < 9; ++x) got.push_back(static_cast<int>(out.Pixel(x, 0) & 0xFF));
  // middle columns 1..4 over 7: 1 + round(i * 4 / 7)
  EXPECT_EQ(got, (std::vector<int>{0, 1, 2, 2, 3, 3, 4, 4, 5}));
  EXPECT_EQ(out.Pixel(4, 0) >> 24, 255u);  // a source without alpha copies as opaque
}

TEST(ButtonPictures, PictureWithoutMiddleRepeatsTheRowAfterTheTopBorder) {
  EXPECT_EQ(RowsOf(StretchFixedRows(Column(4), 2, 7)), (std::vector<int>{0, 1, 2, 2, 2, 2, 3}));
}

TEST(ButtonPictures, PictureSmallerThanItsBordersIsReadOnlyInside) {
  // Under ASan: a 3-row picture with 5-row borders stretched to 20 rows.
  const TPNGObject out = StretchFixedRows(Column(3), 5, 20);
  ASSERT_EQ(out.Height(), 20);
  for (int v : RowsOf(out)) EXPECT_LT(v, 3);
  EXPECT_EQ(out.Pixel(0, 10) >> 24, 255u);  // the middle is filled, not a hole
}

TEST(ButtonPictures, DisabledPictureHasOneThirdOfTheAlpha) {
  TPNGObject normal;
  normal.CreateBlank(ctRGBAlpha, 8, 3, 1);
  normal.SetPixel(0, 0, 0xFFFF8000);
  normal.SetPixel(1, 0, 0x80123456);
  normal.SetPixel(2, 0, 0x02FFFFFF);
  TPNGObject disabled;
  int changes = 0;
  disabled.OnChange = [&] { ++changes; };
  MakeDisabledPng(normal, disabled);
  EXPECT_EQ(disabled.Pixel(0, 0), 0x55FF8000u);  // 255 div 3; colours untouched
  EXPECT_EQ(disabled.Pixel(1, 0), 0x2A123456u);  // 128 div 3 = 42
  EXPECT_EQ(disabled.Pixel(2, 0), 0x00FFFFFFu);
  EXPECT_EQ(normal.Pixel(0, 0), 0xFFFF8000u);    // the source keeps its look
  EXPECT_GE(changes, 1);
}

TEST(ButtonPictures, DisabledPictureOfAnOpaqueRgbPictureGetsAnAlphaChannel) {
  TPNGObject normal;
  normal.CreateBlank(ctRGB, 8, 1, 1);
  normal.SetPixel(0, 0, 0x00112233);
  TPNGObject disabled;
  MakeDisabledPng(normal, disabled);
  EXPECT_EQ(disabled.ColorType(), ctRGBAlpha);
  EXPECT_EQ(disabled.Pixel(0, 0), 0x55112233u);
}

TEST(ButtonPictures, PalettePictureStaysOpaqueWhenDisabled) {
  TPNGObject normal;
  normal.CreateBlank(ctPalette, 8, 2, 1);
  normal.SetPixel(0, 0, 0xFF00FF00);
  normal.SetPixel(1, 0, 0xFF0000FF);
  TPNGObject disabled;
  MakeDisabledPng(normal, disabled);
  EXPECT_EQ(disabled.ColorType(), ctPalette);
  EXPECT_EQ(disabled.Pixel(0, 0), 0xFF00FF00u);
  EXPECT_EQ(disabled.Pixel(1, 0), 0xFF0000FFu);
}

TEST(ButtonLayout, ArrowIconAndCaptionPositions) {
  EXPECT_EQ(PopupArrowPos(30, 27, 7, 4, 0, 0), (TPoint{18, 11}));
  EXPECT_EQ(PopupArrowPos(30, 27, 7, 4, -2, 3), (TPoint{16, 14}));
  EXPECT_EQ(IconPos(30, 27, 16, 16, 0, 0), (TPoint{7, 5}));
  EXPECT_EQ(IconPos(10, 10, 16, 16, 1, 1), (TPoint{-2, -2}));  // (10 - 16) div 2 truncates to -3
  EXPECT_EQ(CaptionPos(taLeftJustify, 80, 27, 30, 12, 0, 0), (TPoint{2, 7}));
  EXPECT_EQ(CaptionPos(taRightJustify, 80, 27, 30, 12, 0, 0), (TPoint{48, 7}));
  EXPECT_EQ(CaptionPos(taCenter, 80, 27, 31, 12, 4, -1), (TPoint{28, 6}));
}

}  // namespace
}  // namespace qs

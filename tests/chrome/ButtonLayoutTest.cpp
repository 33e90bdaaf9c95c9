// The picture buttons' arithmetic: natural-size placement and squeezing, the fixed-border
// rule and stretch, the nearest-neighbour copy, arrow, icon and caption positions.
#include <gtest/gtest.h>

#include "chrome/ButtonLayout.h"

namespace qs {
namespace {

struct TNaturalCase { int W, H, PicW, PicH; TLayoutRect Expected; };

TEST(ButtonLayout, NaturalSizeIsCentredAndSqueezedWhenTooLarge) {
  const TNaturalCase cases[] = {
      {30, 27, 20, 10, {5, 9, 25, 19}},   // (30 + 1 - 20) div 2, (27 + 1 - 10) div 2
      {30, 27, 30, 27, {0, 0, 30, 27}},   // exact fit
      {30, 27, 29, 26, {1, 1, 30, 27}},   // odd leftover goes right and down
      {30, 27, 40, 50, {0, 0, 30, 27}},   // larger: the whole client area from 0, 0
      {30, 27, 40, 10, {0, 9, 30, 19}},   // wider only
      {30, 27, 0, 0, {15, 14, 15, 14}},   // nothing to draw
  };
  for (const auto& c : cases)
    EXPECT_EQ(NaturalSizeRect(c.W, c.H, c.PicW, c.PicH), c.Expected) << c.PicW << " x " << c.PicH;
}

TEST(ButtonLayout, FixedBorderNeedsRoomBetweenTheBorders) {
  static_assert(!FixedBorderApplies(5, 10));  // 2 x 5 is not less than 10
  static_assert(FixedBorderApplies(5, 11));
  static_assert(!FixedBorderApplies(0, 100));
  static_assert(!FixedBorderApplies(-3, 100));
  SUCCEED();
}

// A picture of one column whose pixels are their row numbers.
TPixelBuffer Column(int height) {
  TPixelBuffer p;
  p.Resize(1, height);
  for (int y = 0; y < height; ++y) p.At(0, y) = static_cast<uint32_t>(y);
  return p;
}

std::vector<uint32_t> Rows(const TPixelBuffer& p) {
  std::vector<uint32_t> v;
  for (int y = 0; y < p.Height; ++y) v.push_back(p.At(0, y));
  return v;
}

TEST(ButtonLayout, FixedRowsKeepTheirSizeWhileTheMiddleStretches) {
  // 2 fixed rows of 6 into 12: rows 0-1 kept, rows 2-3 stretched over 8 rows (source
  // 2 + round(i * 2 / 8), the last ones held inside the band), rows 4-5 kept.
  const TPixelBuffer out = StretchFixedRows(Column(6), 2, 12);
  EXPECT_EQ(Rows(out), (std::vector<uint32_t>{0, 1, 2, 2, 3, 3, 3, 3, 3, 3, 4, 5}));
}

TEST(ButtonLayout, FixedColumnsWorkLikeFixedRows) {
  TPixelBuffer row;
  row.Resize(6, 1);
  for (int x = 0; x < 6; ++x) row.At(x, 0) = static_cast<uint32_t>(x);
  const TPixelBuffer out = StretchFixedColumns(row, 1, 9);
  ASSERT_EQ(out.Width, 9);
  std::vector<uint32_t> got(out.Pixels.begin(), out.Pixels.end());
  // middle 1..4 (4 columns) over 7: source 1 + round(i * 4 / 7)
  EXPECT_EQ(got, (std::vector<uint32_t>{0, 1, 2, 2, 3, 3, 4, 4, 5}));
}

TEST(ButtonLayout, PictureWithoutMiddleRepeatsTheRowAfterTheTopBorder) {
  const TPixelBuffer out = StretchFixedRows(Column(4), 2, 7);
  EXPECT_EQ(Rows(out), (std::vector<uint32_t>{0, 1, 2, 2, 2, 2, 3}));
}

TEST(ButtonLayout, PictureSmallerThanItsBordersIsReadOnlyInside) {
  // Under ASan: a 3-row picture with 5-row borders stretched to 20 rows reads no row
  // outside the picture.
  const TPixelBuffer out = StretchFixedRows(Column(3), 5, 20);
  for (uint32_t v : Rows(out)) EXPECT_LT(v, 3u);
}

TEST(ButtonLayout, ScaleCopyClipsToBothPictures) {
  TPixelBuffer src = Column(4);
  TPixelBuffer dst;
  dst.Resize(2, 3);
  ScaleCopy(dst, {-1, -2, 3, 5}, src, {0, -1, 1, 9});  // both rectangles stick out
  EXPECT_EQ(dst.Height, 3);
  for (uint32_t v : dst.Pixels) EXPECT_LT(v, 4u);
}

TEST(ButtonLayout, DisabledPictureHasOneThirdOfTheAlpha) {
  TPixelBuffer pic;
  pic.Resize(4, 1);
  pic.At(0, 0) = 0xFFFF8000;  // opaque orange
  pic.At(1, 0) = 0x80400000;  // half-transparent red, premultiplied
  pic.At(2, 0) = 0x02010101;  // alpha 2 fades to 0
  pic.At(3, 0) = 0x00000000;
  FadeToOneThird(pic);
  EXPECT_EQ(pic.At(0, 0), 0x55552B00u);  // 255 div 3 = 85; green 128 * 85 / 255 = 42.7
  EXPECT_EQ(pic.At(1, 0), 0x2A150000u);  // 128 div 3 = 42; red 64 * 42 / 128 = 21
  EXPECT_EQ(pic.At(2, 0), 0u);
  EXPECT_EQ(pic.At(3, 0), 0u);
}

TEST(ButtonLayout, ArrowIconAndCaptionPositions) {
  EXPECT_EQ(PopupArrowPos(30, 27, 7, 4, 0, 0), (TLayoutPoint{18, 11}));
  EXPECT_EQ(PopupArrowPos(30, 27, 7, 4, -2, 3), (TLayoutPoint{16, 14}));
  EXPECT_EQ(IconPos(30, 27, 16, 16, 0, 0), (TLayoutPoint{7, 5}));
  EXPECT_EQ(IconPos(10, 10, 16, 16, 1, 1), (TLayoutPoint{-2, -2}));  // (10 - 16) div 2 truncates to -3
  EXPECT_EQ(CaptionPos(taLeftJustify, 80, 27, 30, 12, 0, 0), (TLayoutPoint{2, 7}));
  EXPECT_EQ(CaptionPos(taRightJustify, 80, 27, 30, 12, 0, 0), (TLayoutPoint{48, 7}));
  EXPECT_EQ(CaptionPos(taCenter, 80, 27, 31, 12, 4, -1), (TLayoutPoint{28, 6}));
}

}  // namespace
}  // namespace qs

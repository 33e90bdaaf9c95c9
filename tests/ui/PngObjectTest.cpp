// TPNGObject's pure operations: blank pictures, alpha channels, rows of alpha, the
// nearest-neighbour rectangle copy, assignment and its change event, the header check.
#include <gtest/gtest.h>

#include "ui/PngObject.h"

namespace qs {
namespace {

TEST(PngObject, BlankPictureHasTheAskedSizeAndType) {
  TPNGObject p;
  EXPECT_TRUE(p.Empty());
  p.CreateBlank(ctRGBAlpha, 8, 5, 3);
  EXPECT_FALSE(p.Empty());
  EXPECT_EQ(p.Width(), 5);
  EXPECT_EQ(p.Height(), 3);
  EXPECT_TRUE(p.HasAlphaChannel());
  EXPECT_EQ(p.Pixel(4, 2), 0u);  // black, fully transparent
  p.CreateBlank(ctRGB, 8, 2, 2);
  EXPECT_FALSE(p.HasAlphaChannel());
  EXPECT_EQ(p.Pixel(1, 1), 0xFF000000u);  // opaque black
  EXPECT_EQ(p.AlphaScanline(0), nullptr);
}

TEST(PngObject, CreateAlphaByColourType) {
  struct TCase { uint8_t Type, After; bool Channel; } cases[] = {
      {ctGrayscale, ctGrayscaleAlpha, true},
      {ctRGB, ctRGBAlpha, true},
      {ctPalette, ctPalette, false},  // a palette keeps its transparency table instead
      {ctRGBAlpha, ctRGBAlpha, true},
  };
  for (auto c : cases) {
    TPNGObject p;
    p.CreateBlank(c.Type, 8, 2, 2);
    p.CreateAlpha();
    EXPECT_EQ(p.ColorType(), c.After) << int(c.Type);
    EXPECT_EQ(p.AlphaScanline(1) != nullptr, c.Channel) << int(c.Type);
    if (c.Type != ctRGBAlpha && c.Channel) {
      EXPECT_EQ(p.AlphaScanline(1)[1], 255) << int(c.Type);
    }
  }
}

TEST(PngObject, AlphaRowsChangeWhatIsDrawn) {
  TPNGObject p;
  p.CreateBlank(ctRGB, 8, 3, 2);
  p.SetPixel(2, 1, 0xFFFF0000);
  p.CreateAlpha();
  for (int y = 0; y < p.Height(); ++y) {
    uint8_t* row = p.AlphaScanline(y);
    for (int x = 0; x < p.Width(); ++x) row[x] = static_cast<uint8_t>(row[x] / 3);
  }
  EXPECT_EQ(p.Pixel(2, 1), 0x55FF0000u);
  // Drawing premultiplies: 255 * 85 / 255 = 85.
  EXPECT_EQ(p.ToPixelBuffer().At(2, 1), 0x55550000u);
  EXPECT_EQ(p.AlphaScanline(2), nullptr);  // outside
}

TEST(PngObject, AssignCopiesAndFiresTheChangeEvent) {
  TPNGObject a, b;
  a.CreateBlank(ctRGBAlpha, 8, 4, 4);
  a.SetPixel(1, 1, 0x80123456);
  int changes = 0;
  b.OnChange = [&] { ++changes; };
  b.Assign(a);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(b.Width(), 4);
  EXPECT_EQ(b.Pixel(1, 1), 0x80123456u);
  // The copy is independent of its source.
  a.SetPixel(1, 1, 0);
  EXPECT_EQ(b.Pixel(1, 1), 0x80123456u);
  // Assigning an empty picture empties it.
  b.Assign(TPNGObject{});
  EXPECT_TRUE(b.Empty());
  EXPECT_EQ(changes, 2);
}

TEST(PngObject, CopyRectNearestScalesRowsAndKeepsAlpha) {
  // A 1 x 4 column: rows 0 and 3 are borders, rows 1-2 the middle.
  TPNGObject src;
  src.CreateBlank(ctRGBAlpha, 8, 1, 4);
  uint32_t rows[4] = {0xFF0000AA, 0x80000011, 0x80000022, 0xFF0000BB};
  for (int y = 0; y < 4; ++y) src.SetPixel(0, y, rows[y]);
  TPNGObject dst;
  dst.CreateBlank(ctRGBAlpha, 8, 1, 8);
  // The fixed-border stretch: top row, the middle stretched to six rows, bottom row.
  CopyRectNearest(src, {0, 0, 1, 1}, dst, {0, 0, 1, 1});
  CopyRectNearest(src, {0, 1, 1, 3}, dst, {0, 1, 1, 7});
  CopyRectNearest(src, {0, 3, 1, 4}, dst, {0, 7, 1, 8});
  // Middle: round(i * 2 / 6) for i = 0..5 -> 0, 0, 1, 1, 1, 2 -> kept at 1.
  uint32_t expected[8] = {0xFF0000AA, 0x80000011, 0x80000011, 0x80000022,
                          0x80000022, 0x80000022, 0x80000022, 0xFF0000BB};
  for (int y = 0; y < 8; ++y) EXPECT_EQ(dst.Pixel(0, y), expected[y]) << y;
}

TEST(PngObject, CopyRectNearestGivesOpaqueAlphaFromASourceWithoutChannel) {
  TPNGObject src, dst;
  src.CreateBlank(ctRGB, 8, 2, 2);
  src.SetPixel(0, 0, 0x00FF0000);  // no channel: alpha is not kept
  dst.CreateBlank(ctRGBAlpha, 8, 2, 2);
  CopyRectNearest(src, {0, 0, 2, 2}, dst, {0, 0, 2, 2});
  EXPECT_EQ(dst.Pixel(0, 0), 0xFFFF0000u);
  // Rectangles reaching outside either picture copy only what exists.
  CopyRectNearest(src, {0, 0, 2, 2}, dst, {1, 1, 5, 5});
  EXPECT_EQ(dst.Pixel(1, 1), 0xFFFF0000u);
}

TEST(PngObject, PixelBufferRoundTrip) {
  TPixelBuffer buf(2, 1);
  buf.At(0, 0) = Premultiply(0x80FF8000);
  buf.At(1, 0) = 0xFF010203;
  TPNGObject p;
  p.AssignPixelBuffer(buf);
  EXPECT_EQ(p.ColorType(), ctRGBAlpha);
  EXPECT_EQ(p.Pixel(1, 0), 0xFF010203u);
  EXPECT_EQ(p.ToPixelBuffer().Pixels, buf.Pixels);
}

TEST(PngObject, ColourTypeFromTheHeader) {
  const uint8_t rgba[26] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R',
                            0, 0, 0, 1, 0, 0, 0, 1, 8, 6};
  EXPECT_EQ(PngColorType(rgba, sizeof rgba), 6);
  EXPECT_EQ(PngColorType(rgba, 25), -1);  // cut short
  uint8_t notPng[26];
  std::copy(rgba, rgba + 26, notPng);
  notPng[1] = 'J';
  EXPECT_EQ(PngColorType(notPng, sizeof notPng), -1);
}

}  // namespace
}  // namespace qs

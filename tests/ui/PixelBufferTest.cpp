// The pixel work over premultiplied buffers: blending, premultiplication, scaling and
// copying by nearest neighbour, keying, circles.
#include <gtest/gtest.h>

#include "ui/PixelBuffer.h"

namespace qs {
namespace {

TEST(PixelBuffer, PremultiplyRoundsAndUnpremultiplyInverts) {
  struct TCase { uint32_t Straight, Premultiplied; } cases[] = {
      {0xFF102030, 0xFF102030},  // opaque: unchanged
      {0x00FFFFFF, 0x00000000},  // fully transparent: all zero
      {0x80FF0000, 0x80800000},  // 255 * 128 / 255 = 128
      {0x40FF8001, 0x40402000},  // 128 * 64 / 255 = 32.1 -> 32; 1 * 64 / 255 -> 0
  };
  for (auto c : cases) {
    EXPECT_EQ(Premultiply(c.Straight), c.Premultiplied) << std::hex << c.Straight;
  }
  EXPECT_EQ(Unpremultiply(0x80800000), 0x80FF0000u);
  EXPECT_EQ(Unpremultiply(0), 0u);
}

TEST(PixelBuffer, BlendOverMixesByAlpha) {
  uint32_t white = 0xFFFFFFFF, red = 0xFFFF0000;
  EXPECT_EQ(BlendOver(white, red), red);
  EXPECT_EQ(BlendOver(white, 0), white);
  // Half-transparent black over white: white * (1 - 128/255) = 127.
  EXPECT_EQ(BlendOver(white, 0x80000000), 0xFF7F7F7Fu);
  // A constant alpha of 0 leaves the destination; 255 is plain source-over.
  EXPECT_EQ(BlendOver(white, red, 0), white);
  EXPECT_EQ(BlendOver(white, red, 255), red);
  EXPECT_EQ(BlendOver(0xFF000000, 0xFFFFFFFF, 51), 0xFF333333u);
}

TEST(PixelBuffer, FillRectIsClippedToTheBuffer) {
  TPixelBuffer b(4, 3, 0);
  FillRect(b, {-2, 1, 2, 10}, 0xFF00FF00);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(b.At(x, y), (y >= 1 && x < 2) ? 0xFF00FF00u : 0u) << x << "," << y;
}

TEST(PixelBuffer, NearestSourceRoundsAndStaysInsideTheRun) {
  // Down-scaling 10 -> 4: round(i * 10 / 4) = 0, 3 (2.5 rounds up), 5, 8 (7.5 up).
  int expected[] = {0, 3, 5, 8};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(NearestSource(0, 10, i, 4), expected[i]);
  // Up-scaling a single pixel: round(1 * 1 / 2) would be 1, past the run; it stays 0.
  EXPECT_EQ(NearestSource(5, 1, 1, 2), 5);
  // The start is added.
  EXPECT_EQ(NearestSource(7, 2, 1, 2), 8);
}

TEST(PixelBuffer, ScaledCopiesNearestPixels) {
  TPixelBuffer src(2, 2);
  src.At(0, 0) = 1; src.At(1, 0) = 2; src.At(0, 1) = 3; src.At(1, 1) = 4;
  TPixelBuffer big = Scaled(src, 4, 4);
  ASSERT_EQ(big.Width, 4);
  // round(i * 2 / 4): 0, 1 (0.5 up), 1, 2 -> kept at 1.
  uint32_t rows[4][4] = {{1, 2, 2, 2}, {3, 4, 4, 4}, {3, 4, 4, 4}, {3, 4, 4, 4}};
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(big.At(x, y), rows[y][x]) << x << "," << y;
}

TEST(PixelBuffer, CopyScaledTakesASourceRectangleAndClips) {
  TPixelBuffer src(4, 1);
  for (int x = 0; x < 4; ++x) src.At(x, 0) = 0xFF000000u | static_cast<uint32_t>(x + 1);
  TPixelBuffer dst(3, 1, 0xFFFFFFFF);
  // Source columns 2..3 stretched to four destination columns starting at -1: only
  // destination 0..2 exist.
  CopyScaled(dst, {-1, 0, 3, 1}, src, {2, 0, 4, 1});
  EXPECT_EQ(dst.At(0, 0), 0xFF000004u);  // offset 1 -> round(0.5) = 1 -> column 3
  EXPECT_EQ(dst.At(1, 0), 0xFF000004u);
  EXPECT_EQ(dst.At(2, 0), 0xFF000004u);
}

TEST(PixelBuffer, BlendScaledBlendsInsteadOfReplacing) {
  TPixelBuffer src(1, 1, 0x80000000);
  TPixelBuffer dst(2, 2, 0xFFFFFFFF);
  BlendScaled(dst, {0, 0, 2, 2}, src, {0, 0, 1, 1});
  for (uint32_t p : dst.Pixels) EXPECT_EQ(p, 0xFF7F7F7Fu);
}

TEST(PixelBuffer, KeyOutColorClearsOnlyOpaquePixelsOfThatColour) {
  TPixelBuffer b(3, 1);
  b.At(0, 0) = 0xFFDA3610;
  b.At(1, 0) = 0xFFFFFFFF;
  b.At(2, 0) = Premultiply(0x80DA3610);
  KeyOutColor(b, 0xFFDA3610);
  EXPECT_EQ(b.At(0, 0), 0u);
  EXPECT_EQ(b.At(1, 0), 0xFFFFFFFFu);
  EXPECT_EQ(b.At(2, 0), Premultiply(0x80DA3610));
}

TEST(PixelBuffer, FillCircleCoversTheCentreAndFadesAtTheRim) {
  TPixelBuffer b(13, 13);
  FillCircle(b, 6.5, 6.5, 6.5, 0xFF000080);
  EXPECT_EQ(b.At(6, 6), 0xFF000080u);
  EXPECT_EQ(b.At(0, 0), 0u);  // the corner lies outside the circle
  uint32_t edge = AlphaOf(b.At(0, 4));
  EXPECT_GT(edge, 0u);
  EXPECT_LT(edge, 255u);
}

}  // namespace
}  // namespace qs

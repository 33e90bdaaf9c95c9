// Decoding PNG files with WIC: every colour type keeps its values, alpha is kept apart,
// the colour type is taken from the file, and bytes that are not a PNG change nothing.
#include <gtest/gtest.h>

#include "tests/ui/UiTestPictures.h"
#include "tests/ui/UiTestUtil.h"
#include "ui/Bitmap.h"
#include "ui/PngObject.h"

namespace qs {
namespace {

TEST(PngDecode, RgbaPictureKeepsEveryPixelAndAlpha) {
  TPNGObject p;
  int changes = 0;
  p.OnChange = [&] { ++changes; };
  ASSERT_TRUE(p.LoadFromResource(QS_TEST_PNG_RGBA));
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(p.Width(), 4);
  EXPECT_EQ(p.Height(), 2);
  EXPECT_EQ(p.ColorType(), ctRGBAlpha);
  // Straight values exactly as written by pictures/make_pictures.py; alpha 0 pixels may
  // lose their colour in the decoder, so only their alpha is compared.
  uint32_t expected[2][4] = {{0xFFFF0000, 0x8000FF00, 0, 0x40FFFFFF}, {0xFF0A141E, 0xC8C86432, 0x01000000, 0xFFFF8000}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) {
      if (AlphaOf(expected[y][x]) == 0) EXPECT_EQ(AlphaOf(p.Pixel(x, y)), 0u);
      else EXPECT_EQ(p.Pixel(x, y), expected[y][x]) << x << "," << y;
    }
  const uint8_t* alpha = p.AlphaScanline(0);
  ASSERT_NE(alpha, nullptr);
  EXPECT_EQ(alpha[1], 128);
  EXPECT_EQ(alpha[3], 64);
}

TEST(PngDecode, ColourTypesWithoutAlphaChannel) {
  struct TCase { int Id; uint8_t Type; uint32_t First, Second; } cases[] = {
      {QS_TEST_PNG_RGB, ctRGB, 0xFF010203, 0xFFFAFBFC},
      {QS_TEST_PNG_GRAY, ctGrayscale, 0xFF000000, 0xFFC8C8C8},
      {QS_TEST_PNG_PALETTE, ctPalette, 0x00000000, 0xFF0000FF},  // index 0 is clear
  };
  for (auto c : cases) {
    TPNGObject p;
    ASSERT_TRUE(p.LoadFromResource(c.Id)) << c.Id;
    EXPECT_EQ(p.ColorType(), c.Type);
    EXPECT_FALSE(p.HasAlphaChannel());
    EXPECT_EQ(p.AlphaScanline(0), nullptr);
    if (AlphaOf(c.First) == 0) EXPECT_EQ(AlphaOf(p.Pixel(0, 0)), 0u);
    else EXPECT_EQ(p.Pixel(0, 0), c.First);
    EXPECT_EQ(p.Pixel(1, 0), c.Second);
  }
}

TEST(PngDecode, NotAPictureChangesNothing) {
  TPNGObject p;
  ASSERT_TRUE(p.LoadFromResource(QS_TEST_PNG_RGB));
  const char junk[] = "\x89PNG\r\n\x1a\nthis is not a picture at all........";
  EXPECT_FALSE(p.LoadFromBytes(junk, sizeof junk));
  EXPECT_FALSE(p.LoadFromBytes("GIF89a", 6));
  EXPECT_FALSE(p.LoadFromResource(4242));
  EXPECT_EQ(p.Width(), 2);
  EXPECT_EQ(p.Pixel(1, 0), 0xFFFAFBFCu);
}

TEST(PngDecode, PlainBitmapConversionKeepsColours) {
  TPNGObject p;
  ASSERT_TRUE(p.LoadFromResource(QS_TEST_PNG_RGBA));
  TBitmap bmp;
  p.AssignTo(bmp);
  EXPECT_EQ(bmp.PixelFormat(), pf24bit);
  ASSERT_EQ(bmp.Width(), 4);
  const uint8_t* row = bmp.ScanLine(1);
  // Pixel (1, 1): 200, 100, 50 stored blue, green, red.
  EXPECT_EQ(row[3], 50);
  EXPECT_EQ(row[4], 100);
  EXPECT_EQ(row[5], 200);
}

}  // namespace
}  // namespace qs

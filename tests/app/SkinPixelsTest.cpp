// Drawing pictures over the main window's back buffer.
#include "app/SkinPixels.h"

#include <gtest/gtest.h>

using namespace qs;

TEST(SkinPixels, BlendOverIsPremultipliedSourceOver) {
  struct { uint32_t Dst, Src, Out; } cases[] = {
      {0xFFFFFFFF, 0xFF123456, 0xFF123456},  // opaque source replaces
      {0xFF123456, 0x00000000, 0xFF123456},  // transparent source keeps
      {0xFFFFFFFF, 0x80000000, 0xFF7F7F7F},  // half-transparent black over white
      {0xFF000000, 0x80808080, 0xFF808080},  // half-transparent white (premultiplied) over black
  };
  for (auto& c : cases) EXPECT_EQ(BlendOver(c.Dst, c.Src), c.Out) << std::hex << c.Dst << " " << c.Src;
}

TEST(SkinPixels, PicturesAreCutOrStretchedAndClippedToTheSurface) {
  std::vector<uint32_t> bits(8 * 2, 0xFF000000);
  TSurface s{bits.data(), 8, 2};
  TSkinPicture pic{4, 1, {0xFF000001, 0xFF000002, 0xFF000003, 0xFF000004}};
  DrawPicture(s, pic, 1, 0, 2);  // the left two pixels only
  EXPECT_EQ(bits[0], 0xFF000000u);
  EXPECT_EQ(bits[1], 0xFF000001u);
  EXPECT_EQ(bits[2], 0xFF000002u);
  EXPECT_EQ(bits[3], 0xFF000000u);
  StretchPicture(s, pic, 0, 1, 8, 1);  // each source pixel twice
  EXPECT_EQ((std::vector<uint32_t>(bits.begin() + 8, bits.end())),
            (std::vector<uint32_t>{0xFF000001, 0xFF000001, 0xFF000002, 0xFF000002, 0xFF000003, 0xFF000003,
                                   0xFF000004, 0xFF000004}));
  DrawPicture(s, pic, 6, 1);   // runs past the right edge: clipped, no write outside
  DrawPicture(s, pic, -3, -1);  // above and left of the surface
  EXPECT_EQ(bits[7], 0xFF000000u);
  EXPECT_EQ(bits[6 + 8], 0xFF000001u);
}

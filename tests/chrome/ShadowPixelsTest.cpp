// The shadow's pixel work on its own: the template's numbers, the in-place blur, the
// tint, which template pixel lands where in a composed picture, the shaped-form build
// and the copy of the form's picture.
#include <gtest/gtest.h>

#include <vector>

#include "chrome/ShadowPixels.h"

namespace qs {
namespace {

uint8_t Alpha(uint32_t p) { return p >> 24; }
uint8_t Red(uint32_t p) { return (p >> 16) & 0xFF; }
uint8_t Green(uint32_t p) { return (p >> 8) & 0xFF; }
uint8_t Blue(uint32_t p) { return p & 0xFF; }

static_assert(MulTable[255][200] == 200 && MulTable[200][255] == 200);
static_assert(MulTable[0][255] == 0 && MulTable[128][128] == 64 && MulTable[254][254] == 253);

struct TRimCase {
  const char* Name;
  int X0, Y0, Dx, Dy;  // first pixel and step inwards
  std::vector<int> Alphas;
  friend void PrintTo(const TRimCase& c, std::ostream* os) { *os << c.Name; }
};

class ShadowTemplateRim : public testing::TestWithParam<TRimCase> {};

TEST_P(ShadowTemplateRim, DefaultTemplateHasTheKnownAlphaRamp) {
  const TRimCase& c = GetParam();
  const TPixelBuffer t = MakeShadowTemplate(2, 0);
  ASSERT_EQ(t.Width, 135);
  ASSERT_EQ(t.Height, 135);
  for (size_t i = 0; i < c.Alphas.size(); ++i) {
    const uint32_t p = t.At(c.X0 + c.Dx * static_cast<int>(i), c.Y0 + c.Dy * static_cast<int>(i));
    EXPECT_EQ(Alpha(p), c.Alphas[i]) << "step " << i;
    EXPECT_EQ(p & 0x00FFFFFFu, 0u) << "black premultiplied, step " << i;
  }
}

const std::vector<int> kSideRamp = {0, 0, 0, 0, 0, 0, 0, 1, 1, 4, 7, 17, 28, 60, 77, 116};

INSTANTIATE_TEST_SUITE_P(
    Rim, ShadowTemplateRim,
    testing::Values(TRimCase{"Left", 0, 65, 1, 0, kSideRamp}, TRimCase{"Right", 134, 65, -1, 0, kSideRamp},
                    TRimCase{"Top", 65, 0, 0, 1, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 63, 95, 143, 167}},
                    TRimCase{"Bottom", 65, 134, 0, -1, {0, 0, 0, 1, 1, 2, 3, 5, 7, 11, 14, 22, 29, 44, 58, 86}}),
    [](const testing::TestParamInfo<TRimCase>& i) { return std::string(i.param.Name); });

TEST(ShadowTemplate, InnerPixelsKeepTheirGreyAndNoAlpha) {
  const TPixelBuffer t = MakeShadowTemplate(2, 0);
  const uint32_t centre = t.At(65, 65);
  EXPECT_EQ(Alpha(centre), 0);
  EXPECT_GT(Blue(centre), 200);
  EXPECT_EQ(Red(centre), Blue(centre));
  EXPECT_EQ(Green(centre), Blue(centre));
  // Row 16 is rim (y <= 16), column 16 is not.
  EXPECT_GT(Alpha(t.At(65, 16)), 0);
  EXPECT_EQ(Alpha(t.At(16, 65)), 0);
}

TEST(ShadowTemplate, TintPremultipliesTheColourByTheRamp) {
  const TColor orange = 0x000080FF;  // red 255, green 128, blue 0
  const TPixelBuffer t = MakeShadowTemplate(2, orange);
  const uint32_t p = t.At(15, 65);  // alpha 116 in the black template
  EXPECT_EQ(Alpha(p), 116);
  EXPECT_EQ(Red(p), 116);
  EXPECT_EQ(Green(p), 58);  // 128 * 116 div 255 = 58.2
  EXPECT_EQ(Blue(p), 0);
}

TEST(ShadowBlur, PassReadsWhatItHasAlreadyWritten) {
  TPixelBuffer pic;
  pic.Resize(2, 2);
  pic.At(0, 0) = 0x11000000;  // alpha must survive
  pic.At(1, 0) = 100;
  pic.At(0, 1) = 200;
  pic.At(1, 1) = 40;
  BlurPass(pic, 1);
  // (0,0): 0+100+200+40 >> 2 = 85; (1,0) sees the new 85: 85+100+200+40 >> 2 = 106;
  // (0,1): 85+106+200+40 >> 2 = 107; (1,1): 85+106+107+40 >> 2 = 84.
  EXPECT_EQ(pic.At(0, 0), 0x11000000u | 85u);
  EXPECT_EQ(Blue(pic.At(1, 0)), 106);
  EXPECT_EQ(Blue(pic.At(0, 1)), 107);
  EXPECT_EQ(Blue(pic.At(1, 1)), 84);
  EXPECT_EQ(Green(pic.At(1, 1)), 0);  // channels are blurred separately
}

TEST(ShadowBlur, ZeroPassesLeaveThePictureAlone) {
  TPixelBuffer pic;
  pic.Resize(3, 3);
  pic.At(1, 1) = 0x00FFFFFF;
  const auto before = pic.Pixels;
  Blur(pic, 0);
  EXPECT_EQ(pic.Pixels, before);
}

// A template whose pixels name their own coordinates, so a composed picture shows
// which template pixel each of its pixels came from.
TPixelBuffer CoordinateTemplate() {
  TPixelBuffer t;
  t.Resize(kTemplateSize, kTemplateSize);
  for (int y = 0; y < t.Height; ++y)
    for (int x = 0; x < t.Width; ++x) t.At(x, y) = 0xFF000000u | static_cast<uint32_t>(y) << 8 | x;
  return t;
}
uint32_t From(int x, int y) { return 0xFF000000u | static_cast<uint32_t>(y) << 8 | x; }

TEST(ShadowCompose, EachPixelComesFromTheTemplatePixelOfTheTable) {
  constexpr uint32_t kUntouched = 0x12345678;
  TPixelBuffer pic;
  pic.Resize(620 + 2 * kShadowMargin, 416 + 2 * kShadowMargin);
  ASSERT_EQ(pic.Width, 652);
  ASSERT_EQ(pic.Height, 448);
  std::fill(pic.Pixels.begin(), pic.Pixels.end(), kUntouched);
  ComposeRectShadow(pic, CoordinateTemplate());
  const int ws = 652, hs = 448;
  struct { int X, Y; uint32_t Expected; } cases[] = {
      {0, 0, From(0, 0)},                     // top-left corner
      {30, 29, From(30, 29)},                 // corner, above where the left edge starts
      {0, 30, From(0, 65)},                   // the left edge starts on the corner's row 30
      {31, 31, From(31, 31)},                 // corner below the top edge's rows
      {31, 0, From(65, 0)},                   // top edge starts on the corner's column 31
      {31, 16, From(65, 16)},                 // top edge is 17 rows deep
      {300, 5, From(65, 5)},                  // top edge
      {ws - 33, 5, From(65, 5)},              // last column of the top edge
      {ws - 32, 5, From(135 - 32, 5)},        // top-right corner
      {ws - 1, 30, From(134, 30)},            // right edge does not start before row 31
      {ws - 1, 31, From(134, 65)},            // right edge
      {ws - 17, 200, From(118, 65)},          // right edge is 17 columns wide
      {ws - 18, 200, kUntouched},             // under the form
      {15, 200, From(15, 65)},                // left edge
      {16, 200, kUntouched},                  // under the form
      {0, hs - 33, From(0, 65)},              // last row of the left edge
      {0, hs - 32, From(0, 135 - 32)},        // bottom-left corner
      {300, hs - 17, From(65, 135 - 17)},     // bottom edge, first row
      {300, hs - 1, From(65, 134)},           // bottom edge, last row
      {300, hs - 18, kUntouched},             // under the form
      {ws - 1, hs - 1, From(134, 134)},       // bottom-right corner
      {ws - 32, hs - 32, From(135 - 32, 135 - 32)},
  };
  for (const auto& c : cases) EXPECT_EQ(pic.At(c.X, c.Y), c.Expected) << c.X << ", " << c.Y;
}

TEST(ShadowCompose, TinyFormsHaveNoEdgesAndNoOverrun) {
  for (int size : {1, 2, 16, 31, 32, 33}) {
    TPixelBuffer pic;
    pic.Resize(size + 32, size + 32);
    ComposeRectShadow(pic, CoordinateTemplate());
    EXPECT_EQ(pic.At(0, 0), From(0, 0)) << size;
    EXPECT_EQ(pic.At(pic.Width - 1, pic.Height - 1), From(134, 134)) << size;
  }
}

TEST(ShadowCompose, RealTemplateFadesOutwardsOnEverySide) {
  TPixelBuffer pic;
  pic.Resize(620 + 32, 416 + 32);
  ComposeRectShadow(pic, MakeShadowTemplate(2, 0));
  EXPECT_EQ(Alpha(pic.At(0, 200)), 0);
  EXPECT_EQ(Alpha(pic.At(15, 200)), 116);
  EXPECT_EQ(Alpha(pic.At(pic.Width - 1, 200)), 0);
  EXPECT_EQ(Alpha(pic.At(pic.Width - 16, 200)), 116);
  EXPECT_EQ(Alpha(pic.At(300, 15)), 143);
  EXPECT_EQ(Alpha(pic.At(300, pic.Height - 16)), 86);
  EXPECT_EQ(Alpha(pic.At(300, 0)), 0);
}

TEST(ShadowRegion, ShapedFormCastsATintedShadowAroundItsShapeOnly) {
  const int ws = 60, hs = 50;
  TRegionMask region(ws, hs);
  region.AddRect({16, 16, 44, 34});  // a form of 28 x 18, region moved by 16, 16
  TPixelBuffer formImage;
  formImage.Resize(28, 18);
  std::fill(formImage.Pixels.begin(), formImage.Pixels.end(), 0x00FFFFFF);
  TPixelBuffer pic;
  pic.Resize(ws, hs);
  BuildRegionShadowPixels(pic, region, formImage, 16, 16, 2, 0x000000FF);  // red tint
  for (int y = 16; y < 34; ++y)
    for (int x = 16; x < 44; ++x) ASSERT_EQ(pic.At(x, y), 0u) << x << ", " << y;
  const uint32_t beside = pic.At(14, 25);
  EXPECT_GT(Alpha(beside), 0);
  EXPECT_EQ(Red(beside), Alpha(beside));
  EXPECT_EQ(Green(beside), 0);
  EXPECT_EQ(Alpha(pic.At(0, 0)), 0);
}

TEST(ShadowRegion, FormPaintedInItsTransparentColourCastsNoShadow) {
  TRegionMask region(40, 40);
  region.AddRect({16, 16, 24, 24});
  TPixelBuffer mask;  // the transparent-colour mask: every pixel transparent, so black
  mask.Resize(8, 8);
  TPixelBuffer pic;
  pic.Resize(40, 40);
  BuildRegionShadowPixels(pic, region, mask, 16, 16, 2, 0);
  for (uint32_t p : pic.Pixels) ASSERT_EQ(p, 0u);
}

TEST(ShadowFormCopy, FormPictureLandsOpaqueUnderTheForm) {
  TPixelBuffer pic;
  pic.Resize(10 + 32, 6 + 32);
  std::fill(pic.Pixels.begin(), pic.Pixels.end(), 0x40000000u);
  TPixelBuffer form;
  form.Resize(10, 6);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 10; ++x) form.At(x, y) = static_cast<uint32_t>(x * 16 + y);
  CopyFormPixels(pic, form, nullptr);
  EXPECT_EQ(pic.At(16, 16), 0xFF000000u);
  EXPECT_EQ(pic.At(16 + 9, 16 + 5), 0xFF000000u | (9 * 16 + 5));
  EXPECT_EQ(pic.At(15, 16), 0x40000000u);
  EXPECT_EQ(pic.At(16 + 10, 16 + 5), 0x40000000u);
}

TEST(ShadowFormCopy, ShapedFormKeepsItsShadowOutsideTheShape) {
  TPixelBuffer pic;
  pic.Resize(10 + 32, 6 + 32);
  std::fill(pic.Pixels.begin(), pic.Pixels.end(), 0x40102030u);
  TRegionMask region(pic.Width, pic.Height);
  region.AddRect({16, 16, 21, 22});  // the left half of the form
  TPixelBuffer form;
  form.Resize(10, 6);
  CopyFormPixels(pic, form, &region);
  EXPECT_EQ(pic.At(16, 16), 0u);
  EXPECT_EQ(pic.At(20, 21), 0u);
  EXPECT_EQ(pic.At(21, 16), 0x40102030u);
}

TEST(ShadowFormCopy, FormLargerThanThePictureIsCut) {
  TPixelBuffer pic;
  pic.Resize(20, 20);
  TPixelBuffer form;
  form.Resize(30, 30);
  CopyFormPixels(pic, form, nullptr);  // under ASan: no write outside
  EXPECT_EQ(pic.At(19, 19), 0xFF000000u);
  EXPECT_EQ(pic.At(15, 15), 0u);
}

}  // namespace
}  // namespace qs

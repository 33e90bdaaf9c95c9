// The pixel work of the drop shadow, free of any window: the multiplication table, the
// blurred 135 x 135 template, the tint, the rectangular composition from the template's
// corners and edges, the build for a form with a window region, and the copy of the
// form's own picture under it. TFormShadow runs these on its pictures and hands the
// result to the layered window.
#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "ui/PixelBuffer.h"
#include "ui/UiTypes.h"

namespace qs {

// The rim around the form: the picture is 2 * kShadowMargin wider and higher than the form.
inline constexpr int kShadowMargin = 16;
inline constexpr int kTemplateSize = 135;
// The template's white square covers columns and rows 16 to 118 inclusive.
inline constexpr int kTemplateSquareFirst = 16;
inline constexpr int kTemplateSquareEnd = 119;
inline constexpr int kCornerSize = 32;
// Row and column of the template from which the edges of any size are stretched.
inline constexpr int kTemplateMiddle = 65;

using TMulTable = std::array<std::array<uint8_t, 256>, 256>;

constexpr TMulTable MakeMulTable() {
  TMulTable t{};
  for (int a = 0; a < 256; ++a)
    for (int b = 0; b < 256; ++b) t[a][b] = static_cast<uint8_t>(a * b / 255);
  return t;
}

// MulTable[c][a] = c * a div 255: a colour component c premultiplied by the alpha a,
// without a division per pixel.
inline constexpr TMulTable MulTable = MakeMulTable();

// Which pixels of a picture lie inside a window region (in the picture's coordinates).
class TRegionMask {
public:
  TRegionMask() = default;
  TRegionMask(int width, int height);
  void AddRect(TRect r);
  bool Contains(int x, int y) const;
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }

private:
  int FWidth = 0;
  int FHeight = 0;
  std::vector<uint8_t> FInside;
};

// One blur pass of radius d, in place: rows top to bottom, each left to right; a pixel's
// blue, green and red become the mean (sum >> 2) of the four diagonal neighbours at
// distance d, coordinates clamped to the picture. Reads see what this pass already wrote.
// Alpha is left alone.
void BlurPass(TPixelBuffer& pic, int d);
// Passes of radius 1, 2, ... passes.
void Blur(TPixelBuffer& pic, int passes);

// Turns a blurred grey mask into the tinted, premultiplied shadow (tint: a plain RGB
// colour, system colours already resolved): alpha := blue, each
// colour := MulTable[tint][alpha]. The template rule touches only the rim (x < 16,
// x >= width - 16, y <= 16, y >= height - 16).
void ColouriseTemplate(TPixelBuffer& pic, TColor tint);
// The region rule: every pixel; one inside the region becomes fully transparent.
void ColouriseRegion(TPixelBuffer& pic, TColor tint, const TRegionMask& region);

// The 135 x 135 template: black with a white square, blurred, rim tinted.
TPixelBuffer MakeShadowTemplate(int blurPasses, TColor tint);

// Writes the rim of a picture of formWidth + 32 by formHeight + 32 (already that size)
// from the template: four corner tiles and four edges repeated from the template's
// middle row and column. Time grows with the perimeter, not the area. Pixels under the
// form are left as they are.
void ComposeRectShadow(TPixelBuffer& pic, const TPixelBuffer& tmpl);

// The shadow of a shaped form, into a picture already of the form's size + 32: black,
// white inside the region, then the form's picture (or its transparent-colour mask,
// prepared by the caller) over the region at (imageLeft, imageTop); blurred and tinted.
void BuildRegionShadowPixels(TPixelBuffer& pic, const TRegionMask& region, const TPixelBuffer& formImage,
                             int imageLeft, int imageTop, int blurPasses, TColor tint);

// Puts the form's picture (colour bytes; its alpha is ignored) under the form, opaque, at
// 16, 16. With a region, pixels inside it become fully transparent and the others keep
// the shadow, since the form is not drawn there.
void CopyFormPixels(TPixelBuffer& pic, const TPixelBuffer& formImage, const TRegionMask* region);

}  // namespace qs

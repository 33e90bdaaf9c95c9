// The drop shadow's pixel work. The blur runs once, on the small template; every
// rectangular shadow after that is copies of the template's corners and edges.
#include "chrome/ShadowPixels.h"

#include <algorithm>

namespace qs {

namespace {

constexpr uint32_t kAlphaMask = 0xFF000000u;
constexpr uint32_t kWhite = 0x00FFFFFFu;

uint32_t Tinted(uint32_t pixel, TColor tint) {
  const uint8_t a = pixel & 0xFF;  // the blurred mask's blue byte is the shadow's density
  const uint32_t red = MulTable[RedOf(tint)][a];
  const uint32_t green = MulTable[GreenOf(tint)][a];
  const uint32_t blue = MulTable[BlueOf(tint)][a];
  return (uint32_t{a} << 24) | (red << 16) | (green << 8) | blue;
}

// Copies a block of pixels between two pictures; both rectangles lie inside.
void CopyBlock(TPixelBuffer& dst, int dx, int dy, const TPixelBuffer& src, int sx, int sy, int w, int h) {
  for (int y = 0; y < h; ++y) std::copy_n(src.Row(sy + y) + sx, w, dst.Row(dy + y) + dx);
}

}  // namespace

TRegionMask::TRegionMask(int width, int height)
    : FWidth(std::max(width, 0)), FHeight(std::max(height, 0)),
      FInside(static_cast<size_t>(FWidth) * FHeight, 0) {}

void TRegionMask::AddRect(TRect r) {
  const int left = std::max(r.Left, 0), right = std::min(r.Right, FWidth);
  const int top = std::max(r.Top, 0), bottom = std::min(r.Bottom, FHeight);
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) FInside[static_cast<size_t>(y) * FWidth + x] = 1;
}

bool TRegionMask::Contains(int x, int y) const {
  return x >= 0 && y >= 0 && x < FWidth && y < FHeight && FInside[static_cast<size_t>(y) * FWidth + x];
}

void BlurPass(TPixelBuffer& pic, int d) {
  const int w = pic.Width, h = pic.Height;
  auto clampX = [w](int x) { return std::clamp(x, 0, w - 1); };
  auto clampY = [h](int y) { return std::clamp(y, 0, h - 1); };
  for (int y = 0; y < h; ++y) {
    uint32_t* up = pic.Row(clampY(y - d));
    uint32_t* down = pic.Row(clampY(y + d));
    uint32_t* row = pic.Row(y);
    for (int x = 0; x < w; ++x) {
      const uint32_t p[4] = {up[clampX(x - d)], up[clampX(x + d)], down[clampX(x - d)], down[clampX(x + d)]};
      uint32_t out = row[x] & kAlphaMask;
      for (int shift = 0; shift < 24; shift += 8) {
        uint32_t sum = 0;
        for (uint32_t v : p) sum += (v >> shift) & 0xFF;
        out |= (sum >> 2) << shift;
      }
      row[x] = out;
    }
  }
}

void Blur(TPixelBuffer& pic, int passes) {
  if (pic.Width <= 0 || pic.Height <= 0) return;
  for (int d = 1; d <= passes; ++d) BlurPass(pic, d);
}

void ColouriseTemplate(TPixelBuffer& pic, TColor tint) {
  const int w = pic.Width, h = pic.Height;
  for (int y = 0; y < h; ++y) {
    uint32_t* row = pic.Row(y);
    const bool wholeRow = y <= kShadowMargin || y >= h - kShadowMargin;
    for (int x = 0; x < w; ++x)
      if (wholeRow || x < kShadowMargin || x >= w - kShadowMargin) row[x] = Tinted(row[x], tint);
  }
}

void ColouriseRegion(TPixelBuffer& pic, TColor tint, const TRegionMask& region) {
  for (int y = 0; y < pic.Height; ++y) {
    uint32_t* row = pic.Row(y);
    // Alpha 0 with colour left in would still add light under premultiplied blending.
    for (int x = 0; x < pic.Width; ++x) row[x] = region.Contains(x, y) ? 0 : Tinted(row[x], tint);
  }
}

TPixelBuffer MakeShadowTemplate(int blurPasses, TColor tint) {
  TPixelBuffer t;
  t.Resize(kTemplateSize, kTemplateSize);
  for (int y = kTemplateSquareFirst; y < kTemplateSquareEnd; ++y)
    std::fill(t.Row(y) + kTemplateSquareFirst, t.Row(y) + kTemplateSquareEnd, kWhite);
  Blur(t, blurPasses);
  ColouriseTemplate(t, tint);
  return t;
}

void ComposeRectShadow(TPixelBuffer& pic, const TPixelBuffer& tmpl) {
  const int ws = pic.Width, hs = pic.Height, wt = tmpl.Width, ht = tmpl.Height;
  if (ws < kCornerSize || hs < kCornerSize || wt < kCornerSize || ht < kCornerSize) return;
  const int c = kCornerSize;
  CopyBlock(pic, 0, 0, tmpl, 0, 0, c, c);
  CopyBlock(pic, ws - c, 0, tmpl, wt - c, 0, c, c);
  CopyBlock(pic, 0, hs - c, tmpl, 0, ht - c, c, c);
  CopyBlock(pic, ws - c, hs - c, tmpl, wt - c, ht - c, c, c);

  // Top and bottom edges: each row repeats the template's middle column; they start one
  // column into the corner tiles.
  for (int y = 0; y <= kShadowMargin; ++y) {
    uint32_t* row = pic.Row(y);
    if (ws - 33 >= 31) std::fill(row + 31, row + ws - 32, tmpl.At(kTemplateMiddle, y));
  }
  for (int y = hs - 17; y < hs; ++y) {
    uint32_t* row = pic.Row(y);
    if (ws - 33 >= 31) std::fill(row + 31, row + ws - 32, tmpl.At(kTemplateMiddle, y + ht - hs));
  }
  // Left and right edges: each row is the template's middle row, 16 pixels on the left
  // from row 30, 17 on the right from row 31.
  const uint32_t* middle = tmpl.Row(kTemplateMiddle);
  for (int y = 30; y <= hs - 33; ++y) std::copy_n(middle, 16, pic.Row(y));
  for (int y = 31; y <= hs - 33; ++y) std::copy_n(middle + wt - 17, 17, pic.Row(y) + ws - 17);
}

void BuildRegionShadowPixels(TPixelBuffer& pic, const TRegionMask& region, const TPixelBuffer& formImage,
                             int imageLeft, int imageTop, int blurPasses, TColor tint) {
  for (int y = 0; y < pic.Height; ++y) {
    uint32_t* row = pic.Row(y);
    for (int x = 0; x < pic.Width; ++x) {
      if (!region.Contains(x, y)) { row[x] = 0; continue; }
      const int ix = x - imageLeft, iy = y - imageTop;
      const bool onImage = ix >= 0 && iy >= 0 && ix < formImage.Width && iy < formImage.Height;
      // A blit from a 24-bit picture leaves the alpha byte 0.
      row[x] = onImage ? formImage.At(ix, iy) & kWhite : kWhite;
    }
  }
  Blur(pic, blurPasses);
  ColouriseRegion(pic, tint, region);
}

void CopyFormPixels(TPixelBuffer& pic, const TPixelBuffer& formImage, const TRegionMask* region) {
  const int m = kShadowMargin;
  const int w = std::min(formImage.Width, pic.Width - m);
  const int h = std::min(formImage.Height, pic.Height - m);
  for (int r = 0; r < h; ++r) {
    uint32_t* row = pic.Row(r + m);
    const uint32_t* src = formImage.Row(r);
    for (int i = 0; i < w; ++i) {
      if (!region) row[i + m] = src[i] | kAlphaMask;
      else if (region->Contains(i + m, r + m)) row[i + m] = 0;
    }
  }
}

}  // namespace qs

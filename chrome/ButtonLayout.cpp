// Layout arithmetic of the picture buttons. Division by 2 truncates toward zero, as the
// button's drawing has always done, so odd leftovers go to the right and the bottom.
#include "chrome/ButtonLayout.h"

#include <algorithm>
#include <cmath>

namespace qs {

TLayoutRect NaturalSizeRect(int width, int height, int picW, int picH) {
  TLayoutRect r;
  r.Left = std::max(width + 1 - picW, 0) / 2;
  r.Top = std::max(height + 1 - picH, 0) / 2;
  r.Right = std::min(r.Left + picW, width);
  r.Bottom = std::min(r.Top + picH, height);
  return r;
}

void ScaleCopy(TPixelBuffer& dst, TLayoutRect dstRect, const TPixelBuffer& src, TLayoutRect srcRect) {
  const int dw = dstRect.Width(), dh = dstRect.Height(), sw = srcRect.Width(), sh = srcRect.Height();
  if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0 || src.Width <= 0 || src.Height <= 0) return;
  for (int dy = 0; dy < dh; ++dy) {
    const int ty = dstRect.Top + dy;
    if (ty < 0 || ty >= dst.Height) continue;
    // Rounding can step one past the source rectangle when enlarging; stay inside it.
    int sy = srcRect.Top + static_cast<int>(std::lround(static_cast<double>(dy) * sh / dh));
    sy = std::clamp(std::min(sy, srcRect.Bottom - 1), 0, src.Height - 1);
    const uint32_t* srcRow = src.Row(sy);
    uint32_t* dstRow = dst.Row(ty);
    for (int dx = 0; dx < dw; ++dx) {
      const int tx = dstRect.Left + dx;
      if (tx < 0 || tx >= dst.Width) continue;
      int sx = srcRect.Left + static_cast<int>(std::lround(static_cast<double>(dx) * sw / dw));
      sx = std::clamp(std::min(sx, srcRect.Right - 1), 0, src.Width - 1);
      dstRow[tx] = srcRow[sx];
    }
  }
}

namespace {

// Three bands along one axis: border, stretched middle, border. A picture with no rows
// between its borders repeats the row after the first border (or its last row) in the
// middle; one smaller than its borders lends what it has to them.
struct TBand { int SrcFrom, SrcTo, DstFrom, DstTo; };

void Bands(int srcExtent, int fixed, int dstExtent, TBand out[3]) {
  out[0] = {0, std::min(fixed, srcExtent), 0, fixed};
  out[1] = {fixed, std::max(srcExtent - fixed, fixed + 1), fixed, dstExtent - fixed};
  out[2] = {std::max(srcExtent - fixed, 0), srcExtent, dstExtent - fixed, dstExtent};
}

}  // namespace

TPixelBuffer StretchFixedRows(const TPixelBuffer& pic, int fixed, int height) {
  TPixelBuffer out;
  out.Resize(pic.Width, height);
  TBand bands[3];
  Bands(pic.Height, fixed, height, bands);
  for (const TBand& b : bands)
    ScaleCopy(out, {0, b.DstFrom, pic.Width, b.DstTo}, pic, {0, b.SrcFrom, pic.Width, b.SrcTo});
  return out;
}

TPixelBuffer StretchFixedColumns(const TPixelBuffer& pic, int fixed, int width) {
  TPixelBuffer out;
  out.Resize(width, pic.Height);
  TBand bands[3];
  Bands(pic.Width, fixed, width, bands);
  for (const TBand& b : bands)
    ScaleCopy(out, {b.DstFrom, 0, b.DstTo, pic.Height}, pic, {b.SrcFrom, 0, b.SrcTo, pic.Height});
  return out;
}

void FadeToOneThird(TPixelBuffer& pic) {
  for (uint32_t& p : pic.Pixels) {
    const uint32_t a = p >> 24, faded = a / 3;
    if (a == 0) { p = 0; continue; }
    uint32_t out = faded << 24;
    for (int shift = 0; shift < 24; shift += 8) {
      const uint32_t c = std::min((p >> shift) & 0xFF, a);  // premultiplied: never above alpha
      out |= ((c * faded + a / 2) / a) << shift;
    }
    p = out;
  }
}

TLayoutPoint PopupArrowPos(int width, int height, int arrowW, int arrowH, int offsetX, int offsetY) {
  return {width - arrowW - 5 + offsetX, (height - arrowH) / 2 + offsetY};
}

TLayoutPoint IconPos(int width, int height, int iconW, int iconH, int offsetX, int offsetY) {
  return {(width - iconW) / 2 + offsetX, (height - iconH) / 2 + offsetY};
}

TLayoutPoint CaptionPos(TCaptionAlignment alignment, int width, int height, int textW, int textH, int offsetX,
                        int offsetY) {
  int x = (width - textW) / 2;
  if (alignment == taLeftJustify) x = 2;
  else if (alignment == taRightJustify) x = width - textW - 2;
  return {x + offsetX, (height - textH) / 2 + offsetY};
}

}  // namespace qs

// Disabled pictures and fixed-border stretching for the picture buttons.
#include "chrome/ButtonPictures.h"

#include <algorithm>

namespace qs {

void MakeDisabledPng(const TPNGObject& source, TPNGObject& target) {
  target.Assign(source);
  target.CreateAlpha();
  if (target.ColorType() == ctPalette) return;
  for (int y = 0; y < target.Height(); ++y) {
    uint8_t* alpha = target.AlphaScanline(y);
    if (!alpha) return;
    for (int x = 0; x < target.Width(); ++x) alpha[x] = static_cast<uint8_t>(alpha[x] / 3);
  }
  target.Changed();
}

namespace {

// The three bands along one axis: border, stretched middle, border (source and target
// ranges, end exclusive). Without rows of its own the middle takes the one after the
// first border, or the picture's last.
struct TBand { int SrcFrom, SrcTo, DstFrom, DstTo; };

void Bands(int srcExtent, int fixed, int dstExtent, TBand out[3]) {
  out[0] = {0, std::min(fixed, srcExtent), 0, fixed};
  const int middleFrom = std::min(fixed, srcExtent - 1);
  out[1] = {middleFrom, std::max(srcExtent - fixed, middleFrom + 1), fixed, dstExtent - fixed};
  out[2] = {std::max(srcExtent - fixed, 0), srcExtent, dstExtent - fixed, dstExtent};
}

}  // namespace

TPNGObject StretchFixedRows(const TPNGObject& source, int fixed, int height) {
  TPNGObject out;
  out.CreateBlank(ctRGBAlpha, 8, source.Width(), height);
  TBand bands[3];
  Bands(source.Height(), fixed, height, bands);
  const int w = source.Width();
  for (const TBand& b : bands)
    CopyRectNearest(source, {0, b.SrcFrom, w, b.SrcTo}, out, {0, b.DstFrom, w, b.DstTo});
  return out;
}

TPNGObject StretchFixedColumns(const TPNGObject& source, int fixed, int width) {
  TPNGObject out;
  out.CreateBlank(ctRGBAlpha, 8, width, source.Height());
  TBand bands[3];
  Bands(source.Width(), fixed, width, bands);
  const int h = source.Height();
  for (const TBand& b : bands)
    CopyRectNearest(source, {b.SrcFrom, 0, b.SrcTo, h}, out, {b.DstFrom, 0, b.DstTo, h});
  return out;
}

}  // namespace qs

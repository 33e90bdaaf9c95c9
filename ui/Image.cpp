// TImage: a PNG picture drawn stretched or at natural size, optionally keyed.
#include "ui/Image.h"

#include "ui/Canvas.h"

namespace qs {

TImage::TImage() {
  FPicture.OnChange = [this] { Invalidate(); };
}

void TImage::SetStretch(bool v) {
  if (v == FStretch) return;
  FStretch = v;
  Invalidate();
}

void TImage::SetTransparent(bool v) {
  if (v == FTransparent) return;
  FTransparent = v;
  Invalidate();
}

void TImage::Configure(const TDesign& d) {
  TGraphicControl::Configure(d);
  if (d.Picture) FPicture.LoadFromResource(d.Picture);
  SetStretch(d.Stretch);
  SetTransparent(d.Transparent);
}

void TImage::Paint(TCanvas& canvas) {
  if (FPicture.Empty()) return;
  TPixelBuffer pixels = FPicture.ToPixelBuffer();
  uint32_t corner = pixels.At(0, pixels.Height - 1);
  if (FTransparent && AlphaOf(corner) == 255) KeyOutColor(pixels, corner);
  TRect dest = FStretch ? ClientRect() : TRect::Bounds(0, 0, pixels.Width, pixels.Height);
  canvas.DrawPixels(dest, pixels);
}

}  // namespace qs

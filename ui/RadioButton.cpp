// TRadioButton: an anti-aliased round mark and its caption, grouped by parent.
#include "ui/RadioButton.h"

#include <windows.h>

#include "ui/Canvas.h"
#include "ui/PixelBuffer.h"

namespace qs {
namespace {

constexpr int kMark = 13;  // the mark's diameter
constexpr int kGap = 4;    // between mark and caption
constexpr TColor kRim = Rgb(28, 81, 128);

}  // namespace

TRadioButton::TRadioButton() = default;

void TRadioButton::SetChecked(bool v) {
  if (v == FChecked) return;
  FChecked = v;
  if (v && Parent())
    for (int i = 0; i < Parent()->ControlCount(); ++i)
      if (auto* other = dynamic_cast<TRadioButton*>(Parent()->Controls(i)); other && other != this)
        other->SetChecked(false);
  Invalidate();
}

void TRadioButton::SetCheckPointColor(TColor c) {
  if (c == FCheckPointColor) return;
  FCheckPointColor = c;
  Invalidate();
}

void TRadioButton::SetTransparent(bool v) {
  if (v == FTransparent) return;
  FTransparent = v;
  Invalidate();
}

void TRadioButton::SetAlignment(TAlignment a) {
  if (a == FAlignment) return;
  FAlignment = a;
  Invalidate();
}

void TRadioButton::Configure(const TDesign& d) {
  TGraphicControl::Configure(d);
  SetTransparent(d.Transparent);
  SetAlignment(d.Alignment);
  SetChecked(d.Checked);
}

void TRadioButton::Click() {
  SetChecked(true);
  TGraphicControl::Click();
}

void TRadioButton::Paint(TCanvas& canvas) {
  TRect r = ClientRect();
  if (!FTransparent) {
    canvas.Brush.Color = Color();
    canvas.FillRect(r);
  }
  bool markLeft = FAlignment != taLeftJustify;
  int markX = markLeft ? 0 : r.Width() - kMark;
  int markY = (r.Height() - kMark) / 2;
  TPixelBuffer mark(kMark, kMark);
  double c = kMark / 2.0;
  COLORREF rim = ColorToRGB(Enabled() ? kRim : clGrayText), dot = ColorToRGB(FCheckPointColor);
  FillCircle(mark, c, c, c, OpaquePixel(rim));
  FillCircle(mark, c, c, c - 1.2, OpaquePixel(clWhite));
  if (FChecked) FillCircle(mark, c, c, c - 4, OpaquePixel(dot));
  canvas.DrawPixels(TRect::Bounds(markX, markY, kMark, kMark), mark);
  TRect text = markLeft ? TRect{kMark + kGap, 0, r.Right, r.Bottom} : TRect{0, 0, markX - kGap, r.Bottom};
  canvas.Font = Font();
  if (!Enabled()) canvas.Font.Color = clGrayText;
  canvas.DrawText(text, Caption(), DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | (markLeft ? DT_LEFT : DT_RIGHT));
}

}  // namespace qs

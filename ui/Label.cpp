// TLabel: text measured and drawn with DrawText, "&" shown as written.
#include "ui/Label.h"

#include <windows.h>

#include "ui/Canvas.h"
#include "ui/Font.h"

namespace qs {

TLabel::TLabel() { SetControlStyle(csClickEvents | csCaptureMouse); }

unsigned TLabel::TextFlags() const {
  unsigned flags = DT_NOPREFIX | DT_EXPANDTABS;
  if (FWordWrap) flags |= DT_WORDBREAK;
  if (FAlignment == taCenter) flags |= DT_CENTER;
  else if (FAlignment == taRightJustify) flags |= DT_RIGHT;
  return flags;
}

void TLabel::AdjustBounds() {
  if (!FAutoSize) return;
  TSize size = MeasureText(Font(), Caption(), TextFlags(), Width());
  if (FWordWrap) SetBounds(Left(), Top(), Width(), size.Height);
  else SetBounds(Left(), Top(), size.Width, size.Height);
}

void TLabel::SetAutoSize(bool v) {
  if (v == FAutoSize) return;
  FAutoSize = v;
  AdjustBounds();
}

void TLabel::SetWordWrap(bool v) {
  if (v == FWordWrap) return;
  FWordWrap = v;
  AdjustBounds();
  Invalidate();
}

void TLabel::SetTransparent(bool v) {
  if (v == FTransparent) return;
  FTransparent = v;
  Invalidate();
}

void TLabel::SetAlignment(TAlignment a) {
  if (a == FAlignment) return;
  FAlignment = a;
  Invalidate();
}

void TLabel::TextChanged() { AdjustBounds(); }

void TLabel::Configure(const TDesign& d) {
  TGraphicControl::Configure(d);
  SetTransparent(d.Transparent);
  SetAlignment(d.Alignment);
  SetWordWrap(d.WordWrap);
  SetAutoSize(d.AutoSize);
}

void TLabel::Paint(TCanvas& canvas) {
  if (!FTransparent) {
    canvas.Brush.Color = Color();
    canvas.FillRect(ClientRect());
  }
  canvas.Font = Font();
  if (!Enabled()) canvas.Font.Color = clGrayText;
  canvas.DrawText(ClientRect(), Caption(), TextFlags());
}

}  // namespace qs

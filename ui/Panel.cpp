// TPanel: colour or background picture, bevels, caption.
#include "ui/Panel.h"

#include <windows.h>

#include <algorithm>

#include "ui/Canvas.h"

namespace qs {
namespace {

void DrawBevel(TCanvas& canvas, const TRect& r, TBevelCut cut) {
  TColor topLeft = cut == bvRaised ? clBtnHighlight : clBtnShadow;
  TColor bottomRight = cut == bvRaised ? clBtnShadow : clBtnHighlight;
  canvas.Brush.Color = topLeft;
  canvas.FillRect({r.Left, r.Top, r.Right, r.Top + 1});
  canvas.FillRect({r.Left, r.Top, r.Left + 1, r.Bottom});
  canvas.Brush.Color = bottomRight;
  canvas.FillRect({r.Left, r.Bottom - 1, r.Right, r.Bottom});
  canvas.FillRect({r.Right - 1, r.Top, r.Right, r.Bottom});
}

}  // namespace

TPanel::TPanel() {
  FPicture.OnChange = [this] { Invalidate(); };
}

void TPanel::SetTransparent(bool v) {
  if (v == FTransparent) return;
  FTransparent = v;
  Invalidate();
}

void TPanel::SetBevelInner(TBevelCut b) {
  if (b == FBevelInner) return;
  FBevelInner = b;
  Realign();
  Invalidate();
}

void TPanel::SetBevelOuter(TBevelCut b) {
  if (b == FBevelOuter) return;
  FBevelOuter = b;
  Realign();
  Invalidate();
}

void TPanel::SetAlignment(TAlignment a) {
  if (a == FAlignment) return;
  FAlignment = a;
  Invalidate();
}

int TPanel::BevelWidth() const { return (FBevelOuter != bvNone) + (FBevelInner != bvNone); }

TRect TPanel::AlignRect() const {
  int b = BevelWidth();
  TRect r = ClientRect();
  return {r.Left + b, r.Top + b, std::max(r.Right - b, r.Left + b), std::max(r.Bottom - b, r.Top + b)};
}

void TPanel::Configure(const TDesign& d) {
  TGraphicControl::Configure(d);
  if (d.Picture) FPicture.LoadFromResource(d.Picture);
  SetTransparent(d.Transparent);
  SetBevelOuter(d.BevelOuter);
  SetBevelInner(d.BevelInner);
  SetAlignment(d.Alignment);
}

void TPanel::Paint(TCanvas& canvas) {
  TRect r = ClientRect();
  if (!FTransparent) {
    canvas.Brush.Color = Color();
    canvas.FillRect(r);
  }
  if (!FPicture.Empty()) FPicture.Draw(canvas, r);
  if (FBevelOuter != bvNone) {
    DrawBevel(canvas, r, FBevelOuter);
    r = {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
  }
  if (FBevelInner != bvNone) DrawBevel(canvas, r, FBevelInner);
  if (Caption().empty()) return;
  canvas.Font = Font();
  UINT flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX |
               (FAlignment == taCenter ? DT_CENTER : FAlignment == taRightJustify ? DT_RIGHT : DT_LEFT);
  canvas.DrawText(AlignRect(), Caption(), flags);
}

}  // namespace qs

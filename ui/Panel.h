// TPanel: a windowless container. It paints a plain colour, or nothing when Transparent,
// or a background picture stretched over it; optional bevels (outer, then inner: one-pixel
// raised or lowered edges, which also narrow the area for aligned children) and a caption
// (as the details pane's header shows it).
#pragma once
#include "ui/Control.h"
#include "ui/PngObject.h"

namespace qs {

class TPanel : public TGraphicControl {
public:
  TPanel();

  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool v);
  // The background picture; empty for none.
  TPNGObject& Picture() { return FPicture; }
  TBevelCut BevelInner() const { return FBevelInner; }
  TBevelCut BevelOuter() const { return FBevelOuter; }
  void SetBevelInner(TBevelCut b);
  void SetBevelOuter(TBevelCut b);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment a);

  TRect AlignRect() const override;
  void Configure(const TDesign& d) override;

protected:
  void Paint(TCanvas& canvas) override;
  void TextChanged() override { Invalidate(); }

private:
  int BevelWidth() const;

  TPNGObject FPicture;
  bool FTransparent = false;
  TBevelCut FBevelInner = bvNone;
  TBevelCut FBevelOuter = bvNone;
  TAlignment FAlignment = taCenter;
};

}  // namespace qs

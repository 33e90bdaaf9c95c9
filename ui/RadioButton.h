// TRadioButton: a round mark with a caption (left or right of the mark), drawn by the
// layer on its parent's surface (Transparent leaves the background alone). Checking one
// unchecks the other radio buttons of the same parent. A click checks it, then OnClick.
#pragma once
#include "ui/Control.h"

namespace qs {

class TRadioButton : public TGraphicControl {
public:
  TRadioButton();

  bool Checked() const { return FChecked; }
  void SetChecked(bool v);
  // The colour of the dot of a checked mark.
  TColor CheckPointColor() const { return FCheckPointColor; }
  void SetCheckPointColor(TColor c);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool v);
  // taLeftJustify: the caption stands left of the mark; otherwise right of it.
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment a);

  void Configure(const TDesign& d) override;

protected:
  void Paint(TCanvas& canvas) override;
  void Click() override;
  void TextChanged() override { Invalidate(); }

private:
  bool FChecked = false;
  bool FTransparent = false;
  TColor FCheckPointColor = clNavy;
  TAlignment FAlignment = taRightJustify;
};

}  // namespace qs

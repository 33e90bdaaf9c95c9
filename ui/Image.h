// TImage: a picture control showing a PNG picture (with its alpha) either stretched to
// the control or at its natural size from the top-left corner, cut to the control (a
// progress fill shows its left part as wide as the control). Transparent also keys out
// the colour of the picture's bottom-left pixel, for opaque pictures drawn on a
// background of their own.
#pragma once
#include "ui/Control.h"
#include "ui/PngObject.h"

namespace qs {

class TImage : public TGraphicControl {
public:
  TImage();

  // The picture; changing it (Assign, LoadFromResource, Changed) repaints the control.
  TPNGObject& Picture() { return FPicture; }
  const TPNGObject& Picture() const { return FPicture; }
  bool Stretch() const { return FStretch; }
  void SetStretch(bool v);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool v);

  void Configure(const TDesign& d) override;

protected:
  void Paint(TCanvas& canvas) override;

private:
  TPNGObject FPicture;
  bool FStretch = false;
  bool FTransparent = false;
};

}  // namespace qs

// TModalSpeedButton: a flat, focusable colour button with a centred caption.
//  - at rest: filled with Color, no edge;
//  - under the mouse or focused: filled with HotTrackColor and framed by a one-pixel
//    edge: FocusBorderColor while focused, else LightColor top/left and ShadowColor
//    bottom/right;
//  - pressed: filled with ColorWhenDown, the two edge colours swapped.
// OnClick fires on a mouse click (press and release over it; the click also takes the
// focus), on Enter or Space while focused, and on the accelerator letter of its caption
// (the letter after "&", with or without Alt, while the focused control takes no text).
// The arrow keys move the focus to the previous/next visible button of the same parent.
// It has no modal result of its own.
#pragma once
#include "ui/Accelerator.h"
#include "ui/WinControl.h"

namespace qs {

class TModalSpeedButton : public TWinControl {
public:
  TModalSpeedButton();

  TColor ColorWhenDown = Rgb(66, 139, 202);
  TColor HotTrackColor = Rgb(14, 97, 185);
  TColor LightColor = Rgb(66, 139, 202);
  TColor ShadowColor = Rgb(66, 139, 202);
  TColor FocusBorderColor = Rgb(119, 196, 238);

  bool Hot() const { return FHot; }
  bool Pressed() const { return FPressed; }

protected:
  void WndProc(TMessage& m) override;
  void Paint(TCanvas& canvas) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  bool DialogChar(wchar_t ch) override;
  void TextChanged() override { Invalidate(); }

private:
  void MoveFocus(bool forward);

  bool FHot = false;
  bool FPressed = false;
};

}  // namespace qs

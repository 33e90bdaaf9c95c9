// TPNGImageButton and TPNGImageButtonEx: windowless buttons drawn from PNG pictures with
// their alpha over whatever lies behind them. One picture per state (normal, hovered,
// pressed, released, disabled; the disabled one is made from the normal one when none is
// given), an optional icon and popup arrow over it, and three ways of fitting the picture:
// natural size centred, stretched with fixed borders, tiled. The Ex button adds a caption
// and latching "down" buttons that form radio groups within one parent.
//
// The title-bar buttons of the program's windows:
//
//   auto* close = new TPNGImageButtonEx();        // or a design row: MakeControl<TPNGImageButtonEx>
//   close->SetParent(pnlMinClose);
//   close->SetAlign(alRight);
//   close->SetCursor(crHandPoint);
//   close->PngImg().LoadFromResource(kAssetCloseNormal);   // AutoSize: the button is now 30 x 27
//   close->PngOver().LoadFromResource(kAssetCloseHover);
//   close->OnClick = [this] { Close(); };
//
// The pictures are the button's own; changing one (LoadFromResource, Assign, Changed) runs
// PictureChanged: AutoSize follows it and the button repaints. Events fire only while the
// button is enabled; OnMouseDown/OnMouseUp only for the left button.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "ui/Control.h"
#include "ui/PngObject.h"

namespace qs {

class TPNGImageButton : public TGraphicControl {
public:
  TPNGImageButton();
  ~TPNGImageButton() override;

  // The five pictures. Assigning into them (or loading) is the picture setter: the copy,
  // the AutoSize rule of PictureChanged, the repaint.
  TPNGObject& PngImg() { return FPngImg; }
  TPNGObject& PngOver() { return FPngOver; }
  TPNGObject& PngDown() { return FPngDown; }
  TPNGObject& PngUp() { return FPngUp; }
  TPNGObject& PngDisabled() { return FPngDisabled; }
  const TPNGObject& PngImg() const { return FPngImg; }
  const TPNGObject& PngOver() const { return FPngOver; }
  const TPNGObject& PngDown() const { return FPngDown; }
  const TPNGObject& PngUp() const { return FPngUp; }
  const TPNGObject& PngDisabled() const { return FPngDisabled; }
  void SetPngImg(const TPNGObject& p);
  void SetPngOver(const TPNGObject& p);
  void SetPngDown(const TPNGObject& p);
  void SetPngUp(const TPNGObject& p);
  void SetPngDisabled(const TPNGObject& p);
  // The picture being shown (one of the five), or nullptr.
  const TPNGObject* Current() const { return FCurrent; }

  // Icon and popup arrow: general pictures drawn over the button.
  TPNGObject& Icon() { return FIcon; }
  TPNGObject& PopupArrow() { return FPopupArrow; }
  int IconOffsetX() const { return FIconOffsetX; }
  int IconOffsetY() const { return FIconOffsetY; }
  void SetIconOffsetX(int v);
  void SetIconOffsetY(int v);
  int PopupArrowOffsetX() const { return FPopupArrowOffsetX; }
  int PopupArrowOffsetY() const { return FPopupArrowOffsetY; }
  void SetPopupArrowOffsetX(int v);
  void SetPopupArrowOffsetY(int v);
  // A popup menu (a menu handle, not owned); setting one repaints (the arrow shows).
  HMENU PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(HMENU menu);

  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool v) { FAutoSize = v; }
  bool Stretch() const { return FStretch; }
  void SetStretch(bool v);
  bool Tile() const { return FTile; }
  void SetTile(bool v);
  int FixedHeight() const { return FFixedHeight; }
  int FixedWidth() const { return FFixedWidth; }
  // Negative values are stored as 0.
  void SetFixedHeight(int v);
  void SetFixedWidth(int v);
  TControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TControl* c);
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool v) { FShowHint = v; }

  void SetParent(TControl* parent) override;
  void Configure(const TDesign& d) override;

  // Fired after any of the five pictures changed.
  TNotifyEvent OnPictureChange;

protected:
  void WndProc(TMessage& m) override;
  void Notification(TComponent* c, TOperation op) override;
  void Paint(TCanvas& canvas) override;
  void Click() override;
  void DblClick() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  virtual void CMMouseEnter();
  virtual void CMMouseLeave();
  void CMEnabledChanged();
  // FCurrent := picture and invalidate.
  void Show(TPNGObject* picture);

  TPNGObject* FCurrent = nullptr;

private:
  void PictureChanged(TPNGObject* sender);

  TPNGObject FPngOver, FPngDown, FPngUp, FPngImg, FPngDisabled;
  TPNGObject FIcon, FPopupArrow;
  bool FAutoSize = true;
  bool FStretch = false;
  bool FTile = false;
  bool FShowHint = false;
  TControl* FFocusControl = nullptr;
  bool FPainting = false;
  int FFixedHeight = 0, FFixedWidth = 0;
  int FIconOffsetX = 0, FIconOffsetY = 0, FPopupArrowOffsetY = 0, FPopupArrowOffsetX = 0;
  HMENU FPopupMenu = nullptr;
};

class TPNGImageButtonEx : public TPNGImageButton {
public:
  TPNGImageButtonEx();

  bool Down() const { return FDown; }
  void SetDown(bool v);
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int v) { FGroupIndex = v; }
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment v);
  // The caption is TControl::Caption (SetCaption repaints).
  int CaptionOffsetX() const { return FCaptionOffsetX; }
  int CaptionOffsetY() const { return FCaptionOffsetY; }
  void SetCaptionOffsetX(int v);
  void SetCaptionOffsetY(int v);
  int FontSpace() const { return FFontSpace; }
  void SetFontSpace(int v);

protected:
  void Paint(TCanvas& canvas) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void CMMouseEnter() override;
  void CMMouseLeave() override;
  void TextChanged() override { Invalidate(); }

private:
  void ReleaseGroup();
  void ShowNormal();

  int FGroupIndex = 0;
  bool FDown = false;
  TAlignment FAlignment = taCenter;
  int FCaptionOffsetX = 0, FCaptionOffsetY = 0;
  int FFontSpace = 0;
};

}  // namespace qs

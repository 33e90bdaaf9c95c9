// The picture buttons: picture rules per mouse event, the off-screen composition of one
// paint, and the radio groups of the Ex button.
#include "chrome/PngImageButton.h"

#include <exception>
#include <string>

#include "chrome/ButtonLayout.h"
#include "chrome/ButtonPictures.h"
#include "ui/Bitmap.h"
#include "ui/Canvas.h"

namespace qs {

namespace {

// A picture the button can show: not empty, wider than 0.
bool Usable(const TPNGObject& p) { return !p.Empty() && p.Width() > 0; }

// Clears a flag when the scope ends, however it ends.
struct TFlagGuard {
  bool& Flag;
  explicit TFlagGuard(bool& flag) : Flag(flag) { Flag = true; }
  ~TFlagGuard() { Flag = false; }
  TFlagGuard(const TFlagGuard&) = delete;
  TFlagGuard& operator=(const TFlagGuard&) = delete;
};

}  // namespace

// --- TPNGImageButton ------------------------------------------------------------------

TPNGImageButton::TPNGImageButton() {
  SetControlStyle(csCaptureMouse | csClickEvents);
  for (TPNGObject* p : {&FPngOver, &FPngDown, &FPngUp, &FPngImg, &FPngDisabled})
    p->OnChange = [this, p] { PictureChanged(p); };
  FIcon.OnChange = [this] { Invalidate(); };
  FPopupArrow.OnChange = [this] { Invalidate(); };
  SetBounds(Left(), Top(), 50, 50);
}

TPNGImageButton::~TPNGImageButton() {
  FCurrent = nullptr;
  try {
    for (TPNGObject* p : {&FPngOver, &FPngDown, &FPngUp, &FPngImg, &FPngDisabled, &FIcon, &FPopupArrow}) {
      p->OnChange = nullptr;
      p->Clear();
    }
  } catch (const std::exception& e) {
    ::OutputDebugStringA((std::string("[TPNGImageButton.Destroy]") + e.what()).c_str());
  }
}

void TPNGImageButton::SetPngImg(const TPNGObject& p) {
  FPngImg.Assign(p);
  if (FAutoSize && !p.Empty()) SetBounds(Left(), Top(), p.Width(), p.Height());
  Invalidate();
}

void TPNGImageButton::SetPngOver(const TPNGObject& p) { FPngOver.Assign(p); }
void TPNGImageButton::SetPngDown(const TPNGObject& p) { FPngDown.Assign(p); }
void TPNGImageButton::SetPngUp(const TPNGObject& p) { FPngUp.Assign(p); }
void TPNGImageButton::SetPngDisabled(const TPNGObject& p) { FPngDisabled.Assign(p); }

void TPNGImageButton::PictureChanged(TPNGObject* sender) {
  if (!Usable(*sender) && sender == FCurrent) {
    FCurrent = nullptr;
  } else if (FAutoSize) {
    int w = Width(), h = Height();
    if (sender->Width() > w || sender == &FPngImg) w = sender->Width();
    if (sender->Height() > h || sender == &FPngImg) h = sender->Height();
    if (w != Width() || h != Height()) SetBounds(Left(), Top(), w, h);
  }
  Invalidate();
  if (OnPictureChange) OnPictureChange();
}

namespace {
template <typename T>
void StoreAndInvalidate(T& field, T value, TControl& c) {
  if (field == value) return;
  field = value;
  c.Invalidate();
}
}  // namespace

void TPNGImageButton::SetStretch(bool v) { StoreAndInvalidate(FStretch, v, *this); }
void TPNGImageButton::SetTile(bool v) { StoreAndInvalidate(FTile, v, *this); }
void TPNGImageButton::SetIconOffsetX(int v) { StoreAndInvalidate(FIconOffsetX, v, *this); }
void TPNGImageButton::SetIconOffsetY(int v) { StoreAndInvalidate(FIconOffsetY, v, *this); }
void TPNGImageButton::SetPopupArrowOffsetX(int v) { StoreAndInvalidate(FPopupArrowOffsetX, v, *this); }
void TPNGImageButton::SetPopupArrowOffsetY(int v) { StoreAndInvalidate(FPopupArrowOffsetY, v, *this); }
void TPNGImageButton::SetFixedHeight(int v) { StoreAndInvalidate(FFixedHeight, v < 0 ? 0 : v, *this); }
void TPNGImageButton::SetFixedWidth(int v) { StoreAndInvalidate(FFixedWidth, v < 0 ? 0 : v, *this); }

void TPNGImageButton::SetPopupMenu(HMENU menu) {
  FPopupMenu = menu;
  if (menu) Invalidate();
}

void TPNGImageButton::SetFocusControl(TControl* c) {
  if (FFocusControl == c) return;
  if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
  FFocusControl = c;
  if (c) c->FreeNotification(this);
}

void TPNGImageButton::Notification(TComponent* c, TOperation op) {
  TGraphicControl::Notification(c, op);
  if (op == opRemove && c == FFocusControl) FFocusControl = nullptr;
}

void TPNGImageButton::SetParent(TControl* parent) {
  TGraphicControl::SetParent(parent);
  if (parent) parent->SetDoubleBuffered(true);
}

void TPNGImageButton::Configure(const TDesign& d) {
  TGraphicControl::Configure(d);
  if (d.Picture) FPngImg.LoadFromResource(d.Picture);
  if (d.Picture2) FPngOver.LoadFromResource(d.Picture2);
  SetStretch(d.Stretch);
}

void TPNGImageButton::Show(TPNGObject* picture) {
  FCurrent = picture;
  Invalidate();
}

void TPNGImageButton::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_MOUSEENTER:
      CMMouseEnter();
      return;
    case CM_MOUSELEAVE:
      CMMouseLeave();
      return;
    case CM_ENABLEDCHANGED:
      CMEnabledChanged();
      return;
    default:
      TGraphicControl::WndProc(m);
  }
}

void TPNGImageButton::CMMouseEnter() {
  if (!Enabled()) return;
  if (!FPngOver.Empty()) Show(&FPngOver);
  if (OnMouseEnter) OnMouseEnter();
}

void TPNGImageButton::CMMouseLeave() {
  if (!Enabled()) return;
  if (FPngImg.Width() > 0 && FCurrent != &FPngImg) Show(&FPngImg);
  if (OnMouseLeave) OnMouseLeave();
}

void TPNGImageButton::CMEnabledChanged() {
  if (Enabled()) {
    if (Usable(FPngImg) && FCurrent != &FPngImg) FCurrent = &FPngImg;
  } else {
    if (!Usable(FPngDisabled)) MakeDisabledPng(FPngImg, FPngDisabled);
    FCurrent = &FPngDisabled;
  }
  Repaint();
}

void TPNGImageButton::Click() {
  if (Enabled() && OnClick) OnClick();
}

void TPNGImageButton::DblClick() {
  if (Enabled() && OnDblClick) OnDblClick();
}

void TPNGImageButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button != mbLeft || !Enabled()) return;
  if (!FPngDown.Empty() && FCurrent != &FPngDown) Show(&FPngDown);
  if (OnMouseDown) OnMouseDown(button, shift, x, y);
}

void TPNGImageButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button != mbLeft || !Enabled()) return;
  for (TPNGObject* p : {&FPngUp, &FPngOver, &FPngImg}) {
    if (Usable(*p) && FCurrent != p) {
      Show(p);
      break;
    }
  }
  if (OnMouseUp) OnMouseUp(button, shift, x, y);
}

void TPNGImageButton::Paint(TCanvas& canvas) {
  if (FPainting) return;
  TFlagGuard painting(FPainting);

  if (!FCurrent || FCurrent->Width() <= 0) FCurrent = &FPngImg;
  const TPNGObject* g = FCurrent;
  if (!Enabled() && FPngDisabled.Width() != 0) g = &FPngDisabled;

  const TRect client = ClientRect();
  if (g->Empty()) {
    canvas.Pen = TPen{clBlack, psDash, 1};
    canvas.Brush.Style = bsClear;
    canvas.Rectangle(client);
    canvas.Brush.Style = bsSolid;
    return;
  }

  const TRect r = FStretch ? client : NaturalSizeRect(Width(), Height(), g->Width(), g->Height());

  // Everything is composed over a copy of the background beneath the button and drawn
  // in one step, so a change of picture never flickers.
  TBitmap buffer(pf32bit);
  buffer.SetSize(Width(), Height());
  TCanvas& b = buffer.Canvas();
  b.CopyRect(client, canvas, client);

  if (FTile) {
    TBitmap pattern(pf32bit);
    g->AssignTo(pattern);
    b.Brush.Bitmap = &pattern;
    b.FillRect(client);
    b.Brush.Bitmap = nullptr;
  } else if (FStretch) {
    TPNGObject rows, columns;
    if (FixedBorderApplies(FFixedHeight, r.Height())) {
      rows = StretchFixedRows(*g, FFixedHeight, r.Height());
      g = &rows;
    }
    if (FixedBorderApplies(FFixedWidth, r.Width())) {
      columns = StretchFixedColumns(*g, FFixedWidth, r.Width());
      g = &columns;
    }
    g->Draw(b, r);
  } else {
    g->Draw(b, r);
  }

  if (Enabled() && FPopupMenu && !FPopupArrow.Empty()) {
    TPoint at = PopupArrowPos(Width(), Height(), FPopupArrow.Width(), FPopupArrow.Height(), FPopupArrowOffsetX,
                              FPopupArrowOffsetY);
    FPopupArrow.Draw(b, TRect::Bounds(at.X, at.Y, FPopupArrow.Width(), FPopupArrow.Height()));
  }
  if (!FIcon.Empty()) {
    TPoint at = IconPos(Width(), Height(), FIcon.Width(), FIcon.Height(), FIconOffsetX, FIconOffsetY);
    FIcon.Draw(b, TRect::Bounds(at.X, at.Y, FIcon.Width(), FIcon.Height()));
  }

  canvas.Draw(0, 0, buffer);
}

// --- TPNGImageButtonEx ----------------------------------------------------------------

TPNGImageButtonEx::TPNGImageButtonEx() = default;

void TPNGImageButtonEx::SetDown(bool v) {
  if (FDown != v) {
    FDown = v;
    Invalidate();
  }
  if (FGroupIndex != 0 && FDown) ReleaseGroup();
}

void TPNGImageButtonEx::SetAlignment(TAlignment v) { StoreAndInvalidate(FAlignment, v, *this); }
void TPNGImageButtonEx::SetCaptionOffsetX(int v) { StoreAndInvalidate(FCaptionOffsetX, v, *this); }
void TPNGImageButtonEx::SetCaptionOffsetY(int v) { StoreAndInvalidate(FCaptionOffsetY, v, *this); }
void TPNGImageButtonEx::SetFontSpace(int v) { StoreAndInvalidate(FFontSpace, v, *this); }

void TPNGImageButtonEx::Paint(TCanvas& canvas) {
  canvas.Font = Font();
  TPNGImageButton::Paint(canvas);
  if (Caption().empty()) return;
  TSize extent = canvas.TextExtent(Caption());
  TPoint at = CaptionPos(FAlignment, Width(), Height(), extent.Width, extent.Height, FCaptionOffsetX, FCaptionOffsetY);
  if (!Enabled()) canvas.Font.Color = clGrayText;
  canvas.Brush.Style = bsClear;
  canvas.TextRect(ClientRect(), at.X, at.Y, Caption());
}

void TPNGImageButtonEx::CMMouseEnter() {
  if (!Enabled()) return;
  if (!(FDown && FGroupIndex != 0) && Usable(PngOver()) && FCurrent != &PngOver()) Show(&PngOver());
  if (OnMouseEnter) OnMouseEnter();
}

void TPNGImageButtonEx::CMMouseLeave() {
  if (!Enabled()) return;
  if (!(FDown && FGroupIndex != 0) && Usable(PngImg()) && FCurrent != &PngImg()) Show(&PngImg());
  if (OnMouseLeave) OnMouseLeave();
}

void TPNGImageButtonEx::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TPNGImageButton::MouseDown(button, shift, x, y);
  if (button != mbLeft || !Enabled()) return;
  if (Usable(PngDown()) && FGroupIndex != 0 && !FDown) {
    FDown = true;
    Invalidate();
    ReleaseGroup();
  }
}

void TPNGImageButtonEx::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (FDown) return;
  TPNGImageButton::MouseUp(button, shift, x, y);
}

void TPNGImageButtonEx::ReleaseGroup() {
  TControl* parent = Parent();
  if (!parent || FGroupIndex == 0 || !FDown) return;
  for (int i = 0; i < parent->ControlCount(); ++i) {
    auto* other = dynamic_cast<TPNGImageButtonEx*>(parent->Controls(i));
    if (!other || other == this || other->FGroupIndex != FGroupIndex) continue;
    other->SetDown(false);
    other->ShowNormal();
  }
}

void TPNGImageButtonEx::ShowNormal() {
  if (PngImg().Width() > 0 && FCurrent != &PngImg()) Show(&PngImg());
}

}  // namespace qs

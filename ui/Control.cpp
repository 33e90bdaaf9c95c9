// TControl: the tree, placement, state, the message hook and the default handling of
// mouse messages and notices, and painting of a control with its windowless children.
#include "ui/Control.h"

#include <windows.h>

#include <algorithm>

#include "ui/Application.h"
#include "ui/Canvas.h"
#include "ui/Form.h"
#include "ui/Layout.h"
#include "ui/WinControl.h"

namespace qs {
namespace {

int GAlignLocks = 0;

const TFont& DefaultFont() {
  static const TFont font;
  return font;
}

TShiftState ShiftFromKeys(uintptr_t keys) {
  TShiftState s = 0;
  if (keys & MK_SHIFT) s |= ssShift;
  if (keys & MK_CONTROL) s |= ssCtrl;
  if (keys & MK_LBUTTON) s |= ssLeft;
  if (keys & MK_RBUTTON) s |= ssRight;
  if (keys & MK_MBUTTON) s |= ssMiddle;
  if (::GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

}  // namespace

TControl::TControl() : FWindowProc([this](TMessage& m) { WndProc(m); }) {}

TControl::~TControl() {
  SendFreeNotifications();
  Application.ControlDestroying(this);
  if (TWinControl* host = FParent ? FParent->WindowHost() : nullptr) {
    if (host->FCaptureControl == this) host->FCaptureControl = nullptr;
  }
  if (TForm* form = Form(); form && form != this) form->ControlDestroying(this);
  for (TControl* child : FControls) child->FParent = nullptr;
  FControls.clear();
  if (FParent) {
    if (FVisible) FParent->InvalidateArea(FBounds);
    auto& siblings = FParent->FControls;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    if (FAlign != alNone) FParent->Realign();
  }
}

void TControl::SetParent(TControl* parent) {
  if (parent == FParent) return;
  if (FParent) {
    if (FVisible) FParent->InvalidateArea(FBounds);
    auto& siblings = FParent->FControls;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    if (FAlign != alNone) FParent->Realign();
  }
  FParent = parent;
  if (FParent) {
    FParent->FControls.push_back(this);
    if (FAlign != alNone) FParent->Realign();
  }
  PlacementChanged();
  UpdateShowing();
  if (!FFont) NotifyFontChanged();
  Invalidate();
}

void TControl::BringToFront() {
  if (!FParent) return;
  auto& s = FParent->FControls;
  s.erase(std::remove(s.begin(), s.end(), this), s.end());
  s.push_back(this);
  Invalidate();
}

void TControl::SendToBack() {
  if (!FParent) return;
  auto& s = FParent->FControls;
  s.erase(std::remove(s.begin(), s.end(), this), s.end());
  s.insert(s.begin(), this);
  Invalidate();
}

TForm* TControl::Form() const {
  for (const TControl* c = this; c; c = c->FParent)
    if (auto* form = dynamic_cast<const TForm*>(c)) return const_cast<TForm*>(form);
  return nullptr;
}

TWinControl* TControl::WindowHost() const { return FParent ? FParent->WindowHost() : nullptr; }

TPoint TControl::HostOffset() const {
  if (IsWindowed() || !FParent) return {};
  TPoint p = FParent->HostOffset();
  return {p.X + Left(), p.Y + Top()};
}

TPoint TControl::ClientToScreen(TPoint p) const {
  TWinControl* host = WindowHost();
  TPoint off = HostOffset();
  POINT pt{p.X + off.X, p.Y + off.Y};
  if (host && host->HandleAllocated()) ::ClientToScreen(host->Handle(), &pt);
  return {pt.x, pt.y};
}

TPoint TControl::ScreenToClient(TPoint p) const {
  TPoint origin = ClientToScreen({0, 0});
  return {p.X - origin.X, p.Y - origin.Y};
}

void TControl::SetBounds(int left, int top, int width, int height) {
  TRect next = TRect::Bounds(left, top, std::max(width, 0), std::max(height, 0));
  if (next == FBounds) return;
  TRect old = FBounds;
  if (FParent && FVisible) FParent->InvalidateArea(old);
  FBounds = next;
  bool resized = old.Width() != next.Width() || old.Height() != next.Height();
  if (resized) Realign();
  // An aligned control asked to move or resize is placed by its parent again.
  if (FParent && FAlign != alNone) FParent->Realign();
  PlacementChanged();
  if (resized) Resized();
  if (FParent && FVisible) FParent->InvalidateArea(FBounds);
}

void TControl::SetAlign(TAlign a) {
  if (a == FAlign) return;
  FAlign = a;
  if (FParent) FParent->Realign();
}

TAlignLock::TAlignLock(TControl& root) : FRoot(root) { ++GAlignLocks; }

TAlignLock::~TAlignLock() {
  if (--GAlignLocks == 0) FRoot.RealignTree();
}

void TControl::RealignTree() {
  Realign();
  for (TControl* c : FControls) c->RealignTree();
}

void TControl::Realign() {
  if (GAlignLocks) {
    FArrangedSize = {AlignRect().Width(), AlignRect().Height()};
    return;
  }
  if (FAligning) return;
  FAligning = true;
  TRect area = AlignRect();
  TSize size{area.Width(), area.Height()};
  if (size != FArrangedSize) {
    for (TControl* c : FControls)
      if (c->FAlign == alNone && c->FAnchors != akDefault) {
        TRect r = Anchored(c->FBounds, c->FAnchors, FArrangedSize, size);
        c->SetBounds(r.Left, r.Top, r.Width(), r.Height());
      }
    FArrangedSize = size;
  }
  std::vector<TAlignSlot> slots;
  std::vector<TControl*> aligned;
  for (size_t i = 0; i < FControls.size(); ++i) {
    TControl* c = FControls[i];
    if (c->FAlign == alNone) continue;
    slots.push_back({c->FAlign, c->FVisible, c->FBounds, static_cast<int>(i)});
    aligned.push_back(c);
  }
  ArrangeAligned(area, slots);
  for (size_t i = 0; i < slots.size(); ++i) {
    const TRect& r = slots[i].Bounds;
    aligned[i]->SetBounds(r.Left, r.Top, r.Width(), r.Height());
  }
  FAligning = false;
}

void TControl::SetVisible(bool v) {
  if (v == FVisible) return;
  FVisible = v;
  if (FParent) {
    FParent->InvalidateArea(FBounds);
    if (FAlign != alNone) FParent->Realign();
  }
  UpdateShowing();
}

bool TControl::Showing() const { return FVisible && FParent && FParent->Showing(); }

void TControl::UpdateShowing() {
  for (TControl* c : FControls) c->UpdateShowing();
}

void TControl::PlacementChanged() {
  for (TControl* c : FControls) c->PlacementChanged();
}

void TControl::SetEnabled(bool v) {
  if (v == FEnabled) return;
  FEnabled = v;
  Perform(CM_ENABLEDCHANGED);
}

TColor TControl::Color() const {
  if (FColor != clDefault || !FParent) return FColor == clDefault ? clBtnFace : FColor;
  return FParent->Color();
}

void TControl::SetColor(TColor c) {
  if (c == FColor) return;
  FColor = c;
  ColorChanged();
}

const TFont& TControl::Font() const {
  if (FFont) return *FFont;
  return FParent ? FParent->Font() : DefaultFont();
}

void TControl::SetFont(const TFont& f) {
  if (FFont && *FFont == f) return;
  FFont = std::make_unique<TFont>(f);
  NotifyFontChanged();
}

void TControl::NotifyFontChanged() {
  TextChanged();
  Invalidate();
  for (TControl* c : FControls)
    if (!c->FFont) c->NotifyFontChanged();
}

void TControl::SetCaption(const std::wstring& text) {
  if (text == FCaption) return;
  FCaption = text;
  TextChanged();
  Invalidate();
}

void TControl::InvalidateArea(const TRect& r) {
  TWinControl* host = WindowHost();
  if (!host || !host->HandleAllocated()) return;
  TPoint off = HostOffset();
  RECT rc{r.Left + off.X, r.Top + off.Y, r.Right + off.X, r.Bottom + off.Y};
  ::InvalidateRect(host->Handle(), &rc, FALSE);
}

void TControl::Invalidate() {
  if (IsWindowed()) {
    InvalidateArea(ClientRect());
  } else if (FParent && FVisible) {
    FParent->InvalidateArea(FBounds);
  }
}

void TControl::Repaint() {
  Invalidate();
  TWinControl* host = WindowHost();
  if (host && host->HandleAllocated()) ::UpdateWindow(host->Handle());
}

intptr_t TControl::Perform(uint32_t msg, uintptr_t wParam, intptr_t lParam) {
  TMessage m{msg, wParam, lParam, 0};
  // A copy: the hook may be replaced while it runs (a handler attaching another hook).
  TWndMethod proc = FWindowProc;
  if (proc) proc(m);
  else WndProc(m);
  return m.Result;
}

void TControl::WndProc(TMessage& m) {
  if (m.Msg >= WM_MOUSEFIRST && m.Msg <= WM_MBUTTONDBLCLK) {
    DispatchMouse(m);
    return;
  }
  switch (m.Msg) {
    case CM_MOUSEENTER:
      if (OnMouseEnter) OnMouseEnter();
      break;
    case CM_MOUSELEAVE:
      if (OnMouseLeave) OnMouseLeave();
      break;
    case CM_ENABLEDCHANGED:
      Invalidate();
      break;
    default:
      break;
  }
}

void TControl::DispatchMouse(TMessage& m) {
  int x = static_cast<short>(LOWORD(m.LParam)), y = static_cast<short>(HIWORD(m.LParam));
  TShiftState shift = ShiftFromKeys(m.WParam);
  bool clicks = FControlStyle & csClickEvents;
  switch (m.Msg) {
    case WM_MOUSEMOVE:
      MouseMove(shift, x, y);
      break;
    case WM_LBUTTONDOWN:
      FClicked = clicks;
      MouseDown(mbLeft, shift, x, y);
      break;
    case WM_RBUTTONDOWN:
      MouseDown(mbRight, shift, x, y);
      break;
    case WM_MBUTTONDOWN:
      MouseDown(mbMiddle, shift, x, y);
      break;
    case WM_LBUTTONDBLCLK:
      if (clicks) DblClick();
      MouseDown(mbLeft, shift | ssDouble, x, y);
      break;
    case WM_RBUTTONDBLCLK:
      MouseDown(mbRight, shift | ssDouble, x, y);
      break;
    case WM_MBUTTONDBLCLK:
      MouseDown(mbMiddle, shift | ssDouble, x, y);
      break;
    case WM_LBUTTONUP:
      if (FClicked) {
        FClicked = false;
        if (ClientRect().Contains({x, y})) Click();
      }
      MouseUp(mbLeft, shift, x, y);
      break;
    case WM_RBUTTONUP:
      MouseUp(mbRight, shift, x, y);
      break;
    case WM_MBUTTONUP:
      MouseUp(mbMiddle, shift, x, y);
      break;
    default:
      break;
  }
}

void TControl::Click() {
  if (OnClick) OnClick();
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick();
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(shift, x, y);
}

void TControl::Configure(const TDesign& d) {
  if (!d.Caption.empty()) SetCaption(d.Caption);
  if (d.Color != clDefault) SetColor(d.Color);
  if (d.Font) SetFont(*d.Font);
  SetCursor(d.Cursor);
  SetEnabled(d.Enabled);
  if (d.TabOrder >= 0) SetTabOrder(d.TabOrder);
  SetAnchors(d.Anchors);
  SetAlign(d.Align);
  SetVisible(d.Visible);
}

TControl* TControl::ControlAt(TPoint p, bool allowDisabled) {
  if (!ClientRect().Contains(p)) return nullptr;
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
    TControl* c = *it;
    if (c->IsWindowed() || !c->FVisible || (!allowDisabled && !c->FEnabled)) continue;
    if (TControl* hit = c->ControlAt({p.X - c->Left(), p.Y - c->Top()}, allowDisabled)) return hit;
  }
  return this;
}

void TControl::PaintTree(TCanvas& canvas, const TRect& dirty) {
  HDC dc = canvas.Handle();
  int saved = ::SaveDC(dc);
  ::IntersectClipRect(dc, 0, 0, Width(), Height());
  canvas.Pen = TPen{};
  canvas.Brush = TBrush{Color()};
  canvas.Font = Font();
  Paint(canvas);
  TPoint origin = canvas.Origin();
  for (TControl* c : FControls) {
    if (c->IsWindowed() || !c->FVisible || c->FBounds.Intersect(dirty).Empty()) continue;
    canvas.SetOrigin({origin.X + c->Left(), origin.Y + c->Top()});
    c->PaintTree(canvas, dirty.Offset(-c->Left(), -c->Top()));
  }
  ::RestoreDC(dc, saved);
}

}  // namespace qs

// TControl: the base of every control in the tree, and TGraphicControl, the windowless
// control. A control has bounds relative to its parent's client area, Align and Anchors
// that place it when the parent changes size, Visible/Enabled/Cursor, a colour and a font
// (the parent's unless set), children of its own (panels and pages hold others), and the
// message hook WindowProc.
//
// The message hook. Every message of a control goes first to its WindowProc, a
// replaceable function that starts out as the control's own WndProc (the default
// handling). Another object takes it over and chains to the one it replaced:
//
//   FOldWndProc = form->WindowProc();                       // remember
//   form->SetWindowProc([this](TMessage& m) { FormWndProc(m); });
//   void FormWndProc(TMessage& m) {
//     FOldWndProc(m);                                       // the form's own handling first
//     if (m.Msg == WM_WINDOWPOSCHANGED) Follow();            // then ours
//   }
//   form->SetWindowProc(std::move(FOldWndProc));             // detach: put it back
//
// Windowed controls (TWinControl) receive the system's messages through it; windowless
// ones receive what the layer synthesises: mouse messages (WM_MOUSEMOVE, WM_LBUTTONDOWN,
// ..., lParam = position relative to the control) from their window's hit testing (the
// top-most visible, enabled control under the pointer), and the notices CM_MOUSEENTER,
// CM_MOUSELEAVE (the pointer came over / left it; sent whether or not it is enabled),
// CM_ENABLEDCHANGED and, for windowed controls, CM_SHOWINGCHANGED. Perform sends a
// message through the hook. A control that overrides WndProc and does not call the
// base's version for a message replaces the default handling of that message.
//
// The default handling of mouse messages: the left button down captures the mouse for
// the control (csCaptureMouse) so it sees the release; a release over the control after
// a press on it is a click: Click() (OnClick) runs first, then MouseUp (OnMouseUp).
//
// Painting: windowless controls paint in Paint(canvas) on their window's back buffer,
// after everything beneath them (the parent and earlier siblings) has been painted, so
// what they leave untouched shows the parent through. Invalidate asks for a repaint of
// the control's area; Repaint paints it at once.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "ui/Component.h"
#include "ui/Design.h"
#include "ui/UiTypes.h"

namespace qs {

class TCanvas;
class TForm;
class TWinControl;

// Control style flags.
using TControlStyle = uint8_t;
inline constexpr TControlStyle csCaptureMouse = 1;  // keeps the mouse while the left button is held
inline constexpr TControlStyle csClickEvents = 2;   // a press and release over it is a click

class TControl : public TComponent {
public:
  TControl();
  ~TControl() override;

  // --- the tree ---------------------------------------------------------------------
  TControl* Parent() const { return FParent; }
  // Moves the control to another parent (nullptr: none), on top of its new siblings.
  virtual void SetParent(TControl* parent);
  int ControlCount() const { return static_cast<int>(FControls.size()); }
  // Children in z-order: 0 is the bottom-most.
  TControl* Controls(int i) const { return FControls[static_cast<size_t>(i)]; }
  void BringToFront();
  void SendToBack();
  // The form the control stands on (itself for a form), or nullptr.
  TForm* Form() const;
  // The nearest windowed control at or above this one: the window it paints in.
  virtual TWinControl* WindowHost() const;
  virtual bool IsWindowed() const { return false; }

  // --- placement --------------------------------------------------------------------
  int Left() const { return FBounds.Left; }
  int Top() const { return FBounds.Top; }
  int Width() const { return FBounds.Width(); }
  int Height() const { return FBounds.Height(); }
  TRect BoundsRect() const { return FBounds; }
  virtual void SetBounds(int left, int top, int width, int height);
  void SetLeft(int v) { SetBounds(v, Top(), Width(), Height()); }
  void SetTop(int v) { SetBounds(Left(), v, Width(), Height()); }
  void SetWidth(int v) { SetBounds(Left(), Top(), v, Height()); }
  void SetHeight(int v) { SetBounds(Left(), Top(), Width(), v); }
  // 0, 0, Width, Height.
  TRect ClientRect() const { return TRect::Bounds(0, 0, Width(), Height()); }
  // Where aligned children go (the client rectangle less tab strips or bevels).
  virtual TRect AlignRect() const { return ClientRect(); }
  // The control's top-left corner in its window host's client coordinates.
  TPoint HostOffset() const;
  // Screen coordinates of a point in the control / of a screen point in the control.
  TPoint ClientToScreen(TPoint p) const;
  TPoint ScreenToClient(TPoint p) const;

  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign a);
  TAnchors Anchors() const { return FAnchors; }
  void SetAnchors(TAnchors a) { FAnchors = a; }

  // --- state ------------------------------------------------------------------------
  bool Visible() const { return FVisible; }
  virtual void SetVisible(bool v);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible, and every parent showing (a form: its window is shown).
  virtual bool Showing() const;
  bool Enabled() const { return FEnabled; }
  // Stores the value and sends CM_ENABLEDCHANGED; nothing when unchanged.
  void SetEnabled(bool v);
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor c) { FCursor = c; }
  TControlStyle ControlStyle() const { return FControlStyle; }
  void SetControlStyle(TControlStyle s) { FControlStyle = s; }
  int TabOrder() const { return FTabOrder; }
  void SetTabOrder(int order) { FTabOrder = order; }

  // The colour: its own, or the parent's while it is clDefault.
  TColor Color() const;
  void SetColor(TColor c);
  // The font: its own once set, else the parent's (the form's default at the root).
  const TFont& Font() const;
  void SetFont(const TFont& f);
  const std::wstring& Caption() const { return FCaption; }
  void SetCaption(const std::wstring& text);

  // --- painting ---------------------------------------------------------------------
  // Windows paint through one back buffer whatever this says; the flag is only stored,
  // for code that asks a parent for double buffering.
  bool DoubleBuffered() const { return FDoubleBuffered; }
  void SetDoubleBuffered(bool v) { FDoubleBuffered = v; }
  void Invalidate();
  void Repaint();

  // --- messages ---------------------------------------------------------------------
  const TWndMethod& WindowProc() const { return FWindowProc; }
  void SetWindowProc(TWndMethod proc) { FWindowProc = std::move(proc); }
  // Sends a message through WindowProc and returns its Result.
  intptr_t Perform(uint32_t msg, uintptr_t wParam = 0, intptr_t lParam = 0);

  // Events (fired by the default handling; a subclass may fire its own instead).
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

  // Applies the table row's settings this kind knows (see ui/Design.h). The base takes
  // the generic ones; overrides call it first.
  virtual void Configure(const TDesign& d);

  // The control whose area contains p (client coordinates), searching the windowless
  // children top-most first and descending into them; itself when no child is hit;
  // nullptr when p is outside. Hidden controls are skipped, and disabled ones unless
  // allowDisabled.
  TControl* ControlAt(TPoint p, bool allowDisabled);

  // Paints the control and its windowless children on canvas, whose origin is the
  // control's top-left corner (the layer's painting calls it).
  void PaintTree(TCanvas& canvas, const TRect& dirty);

protected:
  // The default handling of every message (see the top of this file).
  virtual void WndProc(TMessage& m);
  virtual void Paint(TCanvas&) {}
  virtual void Click();
  virtual void DblClick();
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  // After the bounds changed (children already re-arranged).
  virtual void Resized() {}
  // After the caption, or the font in use, changed.
  virtual void TextChanged() {}
  // After the colour changed.
  virtual void ColorChanged() { Invalidate(); }
  // An accelerator: the control handles the character (its caption's "&" letter).
  virtual bool DialogChar(wchar_t) { return false; }
  // Re-places the aligned and anchored children inside AlignRect.
  void Realign();
  // The parent's, or the control's own, placement changed: windowed descendants follow.
  virtual void PlacementChanged();
  // Showing may have changed for this control or something above it.
  virtual void UpdateShowing();

  friend class TWinControl;
  friend class TForm;
  friend class TApplication;
  friend class TAlignLock;

private:
  // Asks for a repaint of r, given in this control's client coordinates.
  void InvalidateArea(const TRect& r);
  void RealignTree();
  void NotifyFontChanged();
  void DispatchMouse(TMessage& m);

  TControl* FParent = nullptr;
  std::vector<TControl*> FControls;
  TRect FBounds;
  TSize FArrangedSize;  // the AlignRect size the children were last placed for
  TAlign FAlign = alNone;
  TAnchors FAnchors = akDefault;
  bool FVisible = true;
  bool FEnabled = true;
  bool FClicked = false;
  bool FAligning = false;
  bool FDoubleBuffered = false;
  TCursor FCursor = crDefault;
  TControlStyle FControlStyle = csCaptureMouse | csClickEvents;
  int FTabOrder = -1;
  TColor FColor = clDefault;
  std::unique_ptr<TFont> FFont;
  std::wstring FCaption;
  TWndMethod FWindowProc;
};

// Holds off alignment while many controls are placed at once (a design table being
// built), so aligned controls are ordered by their designed places rather than by the
// order they were made in. Sizes set meanwhile count as designed sizes for the anchors.
// When the last lock ends, root's tree is arranged anew, parents before children.
class TAlignLock {
public:
  explicit TAlignLock(TControl& root);
  ~TAlignLock();
  TAlignLock(const TAlignLock&) = delete;
  TAlignLock& operator=(const TAlignLock&) = delete;

private:
  TControl& FRoot;
};

// A control without a window of its own: it paints on its parent's surface and gets its
// mouse input through the hit testing of the window it stands in.
class TGraphicControl : public TControl {};

}  // namespace qs

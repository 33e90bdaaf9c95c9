// TWinControl: a control with a window (HWND) of its own. The window is made when first
// needed (Handle()), from the parameters CreateParams fills in; a derived class may
// change them (style, extended style, owner, position, window class style) after calling
// the base. Its C++ object is bound to the window at WM_NCCREATE (GWLP_USERDATA) and
// unbound at WM_NCDESTROY; native controls (edit, check box, rich edit: CreateParams names
// a system window class) are subclassed right after creation instead.
//
// The window's messages go through WindowProc (ui/Control.h). The default handling:
//  - painting: WM_ERASEBKGND does nothing; WM_PAINT paints the control and its windowless
//    children in z-order into a reused 32-bit back buffer, then one BitBlt;
//  - mouse: each mouse message goes to the top-most enabled windowless child under the
//    pointer (or the control that holds the mouse captured), with the position relative
//    to that child; the layer sends CM_MOUSEENTER/CM_MOUSELEAVE as the control under the
//    pointer changes (leaving the window counts);
//  - WM_SETCURSOR: the Cursor of the control under the pointer;
//  - WM_WINDOWPOSCHANGED: Left/Top/Width/Height follow the window, children re-arrange;
//  - WM_SETFOCUS/WM_KILLFOCUS: OnEnter/OnExit, the form's active control;
//  - WM_COMMAND and WM_CTLCOLOR* about a native child: reflected to that child's object
//    as CN_BASE + message (native controls answer their colours there);
//  - everything else: the system's default (DefWindowProc, or the native procedure).
// A child window is placed inside its nearest windowed ancestor, offset by the windowless
// controls in between, and shown while it is Showing.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "ui/Control.h"

namespace qs {

class TBitmap;

struct TCreateParams {
  std::wstring Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
  HWND WndParent = nullptr;   // the parent window (WS_CHILD) or the owner (pop-ups)
  UINT ClassStyle = CS_DBLCLKS;
  // Empty: the layer's own window class. A system class name ("EDIT", "BUTTON",
  // "RICHEDIT50W"): the native control, subclassed.
  std::wstring ClassName;
};

class TWinControl : public TControl {
public:
  TWinControl();
  ~TWinControl() override;

  // The window, made now if it does not exist yet.
  HWND Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  void HandleNeeded() { Handle(); }
  bool IsWindowed() const override { return true; }
  TWinControl* WindowHost() const override { return const_cast<TWinControl*>(this); }
  bool Showing() const override { return FShowing; }

  // Keyboard focus.
  bool Focused() const;
  // Showing, enabled, and every parent enabled.
  bool CanFocus() const;
  void SetFocus();
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool v) { FTabStop = v; }

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;

  // The control bound to a window of ours, or nullptr for any other window.
  static TWinControl* FromHandle(HWND wnd);

protected:
  virtual void CreateParams(TCreateParams& params);
  void WndProc(TMessage& m) override;
  // The system's default handling of m (DefWindowProc, or the native control's own).
  void DefaultHandler(TMessage& m);
  // After the window was made and bound (fonts, texts and states go to it here).
  virtual void CreateWnd() {}
  // A native control's colours, asked through CN_BASE + WM_CTLCOLOR*: by default its
  // font colour on its Color.
  virtual LRESULT CtlColor(HDC dc);
  void TextChanged() override;
  void PlacementChanged() override;
  void UpdateShowing() override;
  void DestroyHandle();

private:
  static LRESULT CALLBACK StaticWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
  static LRESULT CALLBACK SubclassWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Dispatch(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
  void CreateHandle();
  void PaintWindow();
  void RouteMouse(TMessage& m);
  void HandleSetCursor(TMessage& m);
  void MouseLeft();
  void FocusChanged(TMessage& m);
  void FollowWindowPos();
  RECT WindowRectInParent();

  HWND FHandle = nullptr;
  WNDPROC FNativeProc = nullptr;   // the system procedure of a subclassed native control
  bool FShowing = false;
  bool FTabStop = false;
  bool FTrackingLeave = false;
  bool FFollowing = false;   // taking the bounds from the window: not moving it back
  TControl* FCaptureControl = nullptr;  // a windowless child holding the mouse
  std::unique_ptr<TBitmap> FBackBuffer;
  HBRUSH FCtlBrush = nullptr;       // the brush answered in CtlColor (owned)
  TColor FCtlBrushColor = 0;

  friend class TApplication;
  friend class TControl;
  friend class TForm;
};

}  // namespace qs

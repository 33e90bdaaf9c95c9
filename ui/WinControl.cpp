// TWinControl: window creation and binding, the window procedure (every message through
// the WindowProc hook, exceptions stopped there), double-buffered painting, and the
// mouse routing to windowless children.
#include "ui/WinControl.h"

#include <windowsx.h>

#include <map>

#include "base/Error.h"
#include "base/Handle.h"
#include "base/SysError.h"
#include "ui/Application.h"
#include "ui/Bitmap.h"
#include "ui/Canvas.h"
#include "ui/Font.h"
#include "ui/Form.h"

namespace qs {
namespace {

// One window class of ours per class style, registered on first use.
const wchar_t* OwnClass(UINT style, WNDPROC proc) {
  static std::map<UINT, std::wstring> names;
  auto it = names.find(style);
  if (it != names.end()) return it->second.c_str();
  std::wstring name = L"QsWindow" + std::to_wstring(style);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = style;
  wc.lpfnWndProc = proc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = name.c_str();
  ::RegisterClassExW(&wc);
  return names.emplace(style, name).first->second.c_str();
}

bool IsMouseMessage(UINT msg) { return msg >= WM_MOUSEFIRST && msg <= WM_MBUTTONDBLCLK; }
bool IsButtonDown(UINT msg) {
  return msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN || msg == WM_LBUTTONDBLCLK ||
         msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK;
}
bool IsButtonUp(UINT msg) { return msg == WM_LBUTTONUP || msg == WM_RBUTTONUP || msg == WM_MBUTTONUP; }

LPCWSTR CursorId(TCursor c) {
  switch (c) {
    case crHandPoint: return IDC_HAND;
    case crIBeam: return IDC_IBEAM;
    default: return IDC_ARROW;
  }
}

}  // namespace

TWinControl::TWinControl() = default;

TWinControl::~TWinControl() {
  DestroyHandle();
  if (FCtlBrush) ::DeleteObject(FCtlBrush);
}

HWND TWinControl::Handle() {
  if (!FHandle) CreateHandle();
  return FHandle;
}

void TWinControl::CreateParams(TCreateParams& p) {
  p.Caption = Caption();
  p.Width = Width();
  p.Height = Height();
  if (Parent()) {
    TWinControl* host = Parent()->WindowHost();
    TPoint off = Parent()->HostOffset();
    p.X = Left() + off.X;
    p.Y = Top() + off.Y;
    p.WndParent = host ? host->Handle() : nullptr;
    p.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | (FShowing ? WS_VISIBLE : 0);
  } else {
    p.X = Left();
    p.Y = Top();
    p.Style = WS_POPUP | WS_CLIPCHILDREN;
  }
  if (!Enabled()) p.Style |= WS_DISABLED;
}

void TWinControl::CreateHandle() {
  TCreateParams p;
  CreateParams(p);
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  std::wstring className = p.ClassName;
  if (p.ClassName.empty()) {
    const wchar_t* cls = OwnClass(p.ClassStyle, &StaticWndProc);
    className = cls;
    // Bound to this object at WM_NCCREATE (lpCreateParams).
    ::CreateWindowExW(p.ExStyle, cls, p.Caption.c_str(), p.Style, p.X, p.Y, p.Width, p.Height, p.WndParent, nullptr,
                      instance, this);
  } else {
    HWND wnd = ::CreateWindowExW(p.ExStyle, p.ClassName.c_str(), p.Caption.c_str(), p.Style, p.X, p.Y, p.Width,
                                 p.Height, p.WndParent, nullptr, instance, nullptr);
    if (wnd) {
      FHandle = wnd;
      ::SetWindowLongPtrW(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
      FNativeProc = reinterpret_cast<WNDPROC>(
          ::SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StaticWndProc)));
      ::SendMessageW(wnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle(Font())), FALSE);
    }
  }
  if (!FHandle) throw EQsError(L"无法创建窗口（" + className + L"）：" + LastErrorText());
  CreateWnd();
}

void TWinControl::DestroyHandle() {
  if (!FHandle) return;
  HWND wnd = FHandle;
  // Unbound first: the messages of the window's destruction no longer reach an object
  // that is being torn down.
  ::SetWindowLongPtrW(wnd, GWLP_USERDATA, 0);
  if (FNativeProc) ::SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FNativeProc));
  FHandle = nullptr;
  FNativeProc = nullptr;
  ::DestroyWindow(wnd);
}

TWinControl* TWinControl::FromHandle(HWND wnd) {
  if (!wnd || reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(wnd, GWLP_WNDPROC)) != &StaticWndProc) return nullptr;
  return reinterpret_cast<TWinControl*>(::GetWindowLongPtrW(wnd, GWLP_USERDATA));
}

LRESULT CALLBACK TWinControl::StaticWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto self = static_cast<TWinControl*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    ::SetWindowLongPtrW(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    if (self) self->FHandle = wnd;
  }
  auto self = reinterpret_cast<TWinControl*>(::GetWindowLongPtrW(wnd, GWLP_USERDATA));
  if (!self) return ::DefWindowProcW(wnd, msg, wp, lp);
  return self->Dispatch(wnd, msg, wp, lp);
}

LRESULT TWinControl::Dispatch(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  TMessage m{msg, wp, lp, 0};
  bool failed = false;
  try {
    TWndMethod proc = FWindowProc;
    if (proc) proc(m);
    else WndProc(m);
  } catch (...) {
    failed = true;
    Application.HandleException();
  }
  // A handler that failed leaves the message to the system, so the window keeps working.
  if (failed) m.Result = FNativeProc ? ::CallWindowProcW(FNativeProc, wnd, msg, wp, lp) : ::DefWindowProcW(wnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    ::SetWindowLongPtrW(wnd, GWLP_USERDATA, 0);
    if (FNativeProc) ::SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FNativeProc));
    FNativeProc = nullptr;
    FHandle = nullptr;
  }
  return m.Result;
}

void TWinControl::DefaultHandler(TMessage& m) {
  if (!FHandle) return;
  m.Result = FNativeProc ? ::CallWindowProcW(FNativeProc, FHandle, m.Msg, m.WParam, m.LParam)
                         : ::DefWindowProcW(FHandle, m.Msg, m.WParam, m.LParam);
}

void TWinControl::WndProc(TMessage& m) {
  if (IsMouseMessage(m.Msg)) {
    RouteMouse(m);
    return;
  }
  if (m.Msg >= CM_BASE && m.Msg < CN_BASE) {  // the layer's notices: no system handling
    if (m.Msg == CM_SHOWINGCHANGED && FHandle) {
      ::SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                         (FShowing ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    } else if (m.Msg == CM_ENABLEDCHANGED && FHandle) {
      ::EnableWindow(FHandle, Enabled());
    }
    TControl::WndProc(m);
    return;
  }
  if (m.Msg >= CN_BASE + WM_CTLCOLORMSGBOX && m.Msg <= CN_BASE + WM_CTLCOLORSTATIC) {
    m.Result = CtlColor(reinterpret_cast<HDC>(m.WParam));
    return;
  }
  switch (m.Msg) {
    case WM_ERASEBKGND:
      if (FNativeProc) DefaultHandler(m);
      else m.Result = 1;
      return;
    case WM_PAINT:
      if (FNativeProc) DefaultHandler(m);
      else PaintWindow();
      return;
    case WM_SETCURSOR:
      HandleSetCursor(m);
      return;
    case WM_MOUSELEAVE:
      MouseLeft();
      DefaultHandler(m);
      return;
    case WM_CAPTURECHANGED:
      FCaptureControl = nullptr;
      DefaultHandler(m);
      return;
    case WM_WINDOWPOSCHANGED:
      FollowWindowPos();
      DefaultHandler(m);
      return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      FocusChanged(m);
      return;
    case WM_KEYDOWN:
      if (OnKeyDown) {
        uint16_t key = static_cast<uint16_t>(m.WParam);
        TShiftState shift = (::GetKeyState(VK_SHIFT) < 0 ? ssShift : 0) | (::GetKeyState(VK_CONTROL) < 0 ? ssCtrl : 0);
        OnKeyDown(key, shift);
        if (key == 0) return;
      }
      DefaultHandler(m);
      return;
    case WM_COMMAND:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
      // About a native child: its object answers.
      if (TWinControl* child = FromHandle(reinterpret_cast<HWND>(m.LParam)); child && child != this) {
        m.Result = child->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
        return;
      }
      DefaultHandler(m);
      return;
    default:
      DefaultHandler(m);
      return;
  }
}

void TWinControl::MouseLeft() {
  FTrackingLeave = false;
  POINT pt{};
  ::GetCursorPos(&pt);
  TControl* mouse = Application.MouseControl();
  // Onto another window of ours: its own mouse messages take over.
  if (!FromHandle(::WindowFromPoint(pt)) && mouse && mouse->WindowHost() == this) Application.SetMouseControl(nullptr);
}

void TWinControl::FocusChanged(TMessage& m) {
  bool gained = m.Msg == WM_SETFOCUS;
  if (TForm* form = Form(); gained && form && form != this) form->ControlFocused(this);
  DefaultHandler(m);
  if (gained && OnEnter) OnEnter();
  if (!gained && OnExit) OnExit();
  if (!FNativeProc) Invalidate();  // our own controls draw their focus
}

LRESULT TWinControl::CtlColor(HDC dc) {
  TColor colour = Color();
  ::SetTextColor(dc, ColorToRGB(Font().Color));
  ::SetBkColor(dc, ColorToRGB(colour));
  if (!FCtlBrush || FCtlBrushColor != colour) {
    if (FCtlBrush) ::DeleteObject(FCtlBrush);
    FCtlBrush = ::CreateSolidBrush(ColorToRGB(colour));
    FCtlBrushColor = colour;
  }
  return reinterpret_cast<LRESULT>(FCtlBrush);
}

void TWinControl::TextChanged() {
  if (!FHandle) return;
  if (FNativeProc) ::SendMessageW(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle(Font())), TRUE);
  // Not through SetWindowTextW's own check: the text may equal the window's already.
  ::SetWindowTextW(FHandle, Caption().c_str());
}

void TWinControl::PaintWindow() {
  TPaintDc paint(FHandle);
  RECT client{};
  ::GetClientRect(FHandle, &client);
  if (client.right <= 0 || client.bottom <= 0) return;
  if (!FBackBuffer) FBackBuffer = std::make_unique<TBitmap>(pf32bit);
  FBackBuffer->SetSize(client.right, client.bottom);
  TCanvas& canvas = FBackBuffer->Canvas();
  const RECT& d = paint.Dirty();
  TRect dirty{d.left, d.top, d.right, d.bottom};
  canvas.SetOrigin({0, 0});
  HDC dc = canvas.Handle();
  ::SelectClipRgn(dc, nullptr);
  ::IntersectClipRect(dc, dirty.Left, dirty.Top, dirty.Right, dirty.Bottom);
  PaintTree(canvas, dirty);
  ::SelectClipRgn(dc, nullptr);
  ::BitBlt(paint.Get(), dirty.Left, dirty.Top, dirty.Width(), dirty.Height(), dc, dirty.Left, dirty.Top, SRCCOPY);
}

void TWinControl::RouteMouse(TMessage& m) {
  TPoint p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
  if (m.Msg == WM_MOUSEMOVE) {
    TControl* hover = FCaptureControl ? FCaptureControl : ControlAt(p, true);
    Application.SetMouseControl(hover ? hover : this);
    if (!FTrackingLeave) {
      TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, FHandle, 0};
      FTrackingLeave = ::TrackMouseEvent(&tme) != FALSE;
    }
  }
  TControl* target = FCaptureControl;
  if (!target) target = ControlAt(p, false);
  if (!target) target = this;
  // The last release gives the mouse back before the control hears of it, so a click
  // handler that runs long (a download) leaves the window's other controls usable.
  if (target == this) {
    if (!FNativeProc && m.Msg == WM_LBUTTONDOWN && (ControlStyle() & csCaptureMouse)) ::SetCapture(FHandle);
    if (!FNativeProc && m.Msg == WM_LBUTTONUP && ::GetCapture() == FHandle) ::ReleaseCapture();
    TControl::WndProc(m);
    DefaultHandler(m);
    return;
  }
  if (IsButtonDown(m.Msg) && m.Msg != WM_RBUTTONDOWN && m.Msg != WM_MBUTTONDOWN &&
      (target->ControlStyle() & csCaptureMouse)) {
    FCaptureControl = target;
    ::SetCapture(FHandle);
  }
  if (IsButtonUp(m.Msg) && FCaptureControl == target && !(m.WParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON))) {
    FCaptureControl = nullptr;
    if (::GetCapture() == FHandle) ::ReleaseCapture();
  }
  TPoint off = target->HostOffset();
  m.Result = 0;
  target->Perform(m.Msg, m.WParam, MAKELPARAM(p.X - off.X, p.Y - off.Y));
}

void TWinControl::HandleSetCursor(TMessage& m) {
  if (reinterpret_cast<HWND>(m.WParam) != FHandle || LOWORD(m.LParam) != HTCLIENT) {
    DefaultHandler(m);
    return;
  }
  POINT pt{};
  ::GetCursorPos(&pt);
  ::ScreenToClient(FHandle, &pt);
  TControl* c = FCaptureControl ? FCaptureControl : ControlAt({pt.x, pt.y}, true);
  if (!c) c = this;
  if (c == this && FNativeProc && Cursor() == crDefault) {
    DefaultHandler(m);
    return;
  }
  ::SetCursor(::LoadCursorW(nullptr, CursorId(c->Cursor())));
  m.Result = TRUE;
}

RECT TWinControl::WindowRectInParent() {
  RECT r{};
  ::GetWindowRect(FHandle, &r);
  if (Parent()) {
    HWND parentWnd = ::GetParent(FHandle);
    ::MapWindowPoints(nullptr, parentWnd, reinterpret_cast<POINT*>(&r), 2);
    TPoint off = Parent()->HostOffset();
    ::OffsetRect(&r, -off.X, -off.Y);
  } else if (::IsIconic(FHandle)) {
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    ::GetWindowPlacement(FHandle, &wp);
    r = wp.rcNormalPosition;
  }
  return r;
}

void TWinControl::FollowWindowPos() {
  if (!FHandle || FFollowing) return;
  RECT r = WindowRectInParent();
  FFollowing = true;
  TControl::SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
  FFollowing = false;
}

void TWinControl::PlacementChanged() {
  if (!FHandle || FFollowing) return;
  if (Parent()) {
    TWinControl* host = Parent()->WindowHost();
    if (host && host->HandleAllocated() && ::GetParent(FHandle) != host->FHandle) ::SetParent(FHandle, host->FHandle);
  }
  TPoint off = Parent() ? Parent()->HostOffset() : TPoint{};
  RECT now = WindowRectInParent();
  RECT want{Left(), Top(), Left() + Width(), Top() + Height()};
  if (::EqualRect(&now, &want)) return;
  ::SetWindowPos(FHandle, nullptr, Left() + off.X, Top() + off.Y, Width(), Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWinControl::UpdateShowing() {
  bool showing = Visible() && (!Parent() || Parent()->Showing());
  if (showing == FShowing) {
    TControl::UpdateShowing();
    return;
  }
  FShowing = showing;
  // A window is made when it is first needed on screen; its children are ready before
  // it appears, and it disappears before they change.
  if (showing && Parent()) HandleNeeded();
  if (showing) TControl::UpdateShowing();
  if (FHandle || !Parent()) Perform(CM_SHOWINGCHANGED);
  if (!showing) TControl::UpdateShowing();
}

bool TWinControl::Focused() const { return FHandle && ::GetFocus() == FHandle; }

bool TWinControl::CanFocus() const {
  if (!FShowing) return false;
  for (const TControl* c = this; c; c = c->Parent())
    if (!c->Enabled()) return false;
  return true;
}

void TWinControl::SetFocus() { ::SetFocus(Handle()); }

}  // namespace qs

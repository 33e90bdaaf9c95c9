// TForm: top-level borderless windows, showing and modal showing, closing, the layered
// settings, and the keyboard handling of a form (Tab order, KeyPreview, accelerators).
#include "ui/Form.h"

#include <algorithm>

#include "base/Error.h"
#include "ui/Application.h"
#include "ui/Canvas.h"

namespace qs {
namespace {

TShiftState KeyShift() {
  TShiftState s = 0;
  if (::GetKeyState(VK_SHIFT) < 0) s |= ssShift;
  if (::GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
  if (::GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

// Children in tab order: by TabOrder, unset ones (-1) by their place among siblings.
std::vector<TControl*> InTabOrder(const TControl& parent) {
  std::vector<TControl*> out;
  for (int i = 0; i < parent.ControlCount(); ++i) out.push_back(parent.Controls(i));
  auto key = [&](TControl* c) {
    int order = c->TabOrder();
    return order >= 0 ? order : static_cast<int>(std::find(out.begin(), out.end(), c) - out.begin());
  };
  std::vector<std::pair<int, TControl*>> keyed;
  for (TControl* c : out) keyed.push_back({key(c), c});
  std::stable_sort(keyed.begin(), keyed.end(), [](auto& a, auto& b) { return a.first < b.first; });
  for (size_t i = 0; i < keyed.size(); ++i) out[i] = keyed[i].second;
  return out;
}

void CollectTabStops(const TControl& parent, std::vector<TWinControl*>& out) {
  for (TControl* c : InTabOrder(parent)) {
    if (!c->Visible() || !c->Enabled()) continue;
    auto* w = dynamic_cast<TWinControl*>(c);
    if (w && !dynamic_cast<TForm*>(w) && w->TabStop() && w->CanFocus()) out.push_back(w);
    CollectTabStops(*c, out);
  }
}

// The windows of this thread that a modal form disables while it is up.
struct TDisabledWindows {
  HWND Except;
  std::vector<HWND> Windows;
  explicit TDisabledWindows(HWND except) : Except(except) {
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND w, LPARAM lp) -> BOOL {
          auto self = reinterpret_cast<TDisabledWindows*>(lp);
          if (w != self->Except && ::IsWindowVisible(w) && ::IsWindowEnabled(w)) {
            self->Windows.push_back(w);
            ::EnableWindow(w, FALSE);
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(this));
  }
  void Restore() {
    for (HWND w : Windows)
      if (::IsWindow(w)) ::EnableWindow(w, TRUE);
    Windows.clear();
  }
  ~TDisabledWindows() { Restore(); }
};

}  // namespace

TForm::TForm() {
  SetVisible(false);
  SetColor(clBtnFace);
  SetControlStyle(0);
}

TForm::~TForm() {
  SendFreeNotifications();
  Application.FormDestroying(this);
  // The controls go while the form is whole: their teardown may still use it.
  DestroyComponents();
  FActiveControl = nullptr;
}

void TForm::DoCreate() {
  if (OnCreate) OnCreate();
}

void TForm::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.Style = WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX;
  p.ExStyle = FFormStyle == fsStayOnTop ? WS_EX_TOPMOST : 0;
  if (FTransparentColor || FAlphaBlend) p.ExStyle |= WS_EX_LAYERED;
  TForm* main = Application.MainForm();
  // Other forms stay above the main form and share its taskbar button.
  p.WndParent = (main && main != this) ? main->Handle() : nullptr;
}

void TForm::Paint(TCanvas& canvas) {
  canvas.Brush.Color = Color();
  canvas.FillRect(ClientRect());
}

void TForm::UpdateShowing() {
  bool showing = Visible();
  if (showing == FShowing) {
    TControl::UpdateShowing();
    return;
  }
  FShowing = showing;
  // Shown: the controls are ready (windows made, showing) before the form appears and
  // picks its focused control; hidden: the form goes first.
  if (showing) {
    HandleNeeded();
    TControl::UpdateShowing();
    Perform(CM_SHOWINGCHANGED);
  } else {
    Perform(CM_SHOWINGCHANGED);
    TControl::UpdateShowing();
  }
}

void TForm::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_SHOWINGCHANGED:
      ShowingChanged();
      return;
    case WM_CLOSE:
      Close();
      m.Result = 0;
      return;
    case WM_ACTIVATE:
      TWinControl::WndProc(m);
      Activated(LOWORD(m.WParam) != WA_INACTIVE);
      return;
    case WM_SETFOCUS:
      // The form itself got the focus (activation): hand it to its control.
      TWinControl::WndProc(m);
      if (FActiveControl && FActiveControl->CanFocus()) FActiveControl->SetFocus();
      return;
    default:
      TWinControl::WndProc(m);
      return;
  }
}

void TForm::ShowingChanged() {
  if (!FHandle) return;
  if (FShowing) {
    if (OnShow) OnShow();
    if (FPosition == poScreenCenter) CenterOnScreen();
    ApplyLayered();
    ::ShowWindow(FHandle, FPendingState == wsMinimized ? SW_SHOWMINIMIZED : SW_SHOW);
    if (FPendingState != wsMinimized) SelectFirst();
  } else {
    ::ShowWindow(FHandle, SW_HIDE);
    if (OnHide) OnHide();
  }
}

void TForm::CenterOnScreen() {
  RECT work{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  SetBounds(work.left + (work.right - work.left - Width()) / 2, work.top + (work.bottom - work.top - Height()) / 2,
            Width(), Height());
}

void TForm::Activated(bool active) {
  if (!active) {
    if (TWinControl* focused = FromHandle(::GetFocus()); focused && focused->Form() == this && focused != this)
      FActiveControl = focused;
    return;
  }
  if (FActiveControl && FActiveControl->CanFocus()) FActiveControl->SetFocus();
}

void TForm::SetFormStyle(TFormStyle s) {
  if (s == FFormStyle) return;
  FFormStyle = s;
  if (FHandle)
    ::SetWindowPos(FHandle, s == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

TWindowState TForm::WindowState() const {
  if (!FHandle) return FPendingState;
  if (::IsIconic(FHandle)) return wsMinimized;
  if (::IsZoomed(FHandle)) return wsMaximized;
  return wsNormal;
}

void TForm::SetWindowState(TWindowState s) {
  FPendingState = s;
  if (!FHandle || !FShowing) return;
  ::ShowWindow(FHandle, s == wsMinimized ? SW_MINIMIZE : s == wsMaximized ? SW_MAXIMIZE : SW_RESTORE);
}

void TForm::SetTransparentColor(bool v) {
  if (v == FTransparentColor) return;
  FTransparentColor = v;
  ApplyLayered();
}

void TForm::SetTransparentColorValue(TColor c) {
  if (c == FTransparentColorValue) return;
  FTransparentColorValue = c;
  ApplyLayered();
}

void TForm::SetAlphaBlend(bool v) {
  if (v == FAlphaBlend) return;
  FAlphaBlend = v;
  ApplyLayered();
}

void TForm::SetAlphaBlendValue(uint8_t v) {
  if (v == FAlphaBlendValue) return;
  FAlphaBlendValue = v;
  ApplyLayered();
}

void TForm::ApplyLayered() {
  if (!FHandle) return;
  LONG_PTR ex = ::GetWindowLongPtrW(FHandle, GWL_EXSTYLE);
  bool layered = FTransparentColor || FAlphaBlend;
  LONG_PTR want = layered ? (ex | WS_EX_LAYERED) : (ex & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
  if (want != ex) ::SetWindowLongPtrW(FHandle, GWL_EXSTYLE, want);
  if (!layered) return;
  DWORD flags = (FTransparentColor ? LWA_COLORKEY : 0) | (FAlphaBlend ? LWA_ALPHA : 0);
  ::SetLayeredWindowAttributes(FHandle, ColorToRGB(FTransparentColorValue), FAlphaBlend ? FAlphaBlendValue : 255,
                               flags);
}

void TForm::SetActiveControl(TWinControl* c) {
  FActiveControl = c;
  if (c && FShowing && c->CanFocus()) c->SetFocus();
}

void TForm::ControlFocused(TWinControl* c) { FActiveControl = c; }

void TForm::ControlDestroying(TControl* c) {
  if (FActiveControl == c) FActiveControl = nullptr;
}

void TForm::Close() {
  if (FModal) {
    FModalResult = mrCancel;
  } else if (Application.MainForm() == this) {
    Hide();
    Application.Terminate();
  } else {
    Hide();
  }
}

TModalResult TForm::ShowModal() {
  if (Visible() || FModal) throw EQsError(L"窗体已显示，不能再以模态方式显示");
  HWND previous = ::GetActiveWindow();
  if (::GetCapture()) ::ReleaseCapture();
  HandleNeeded();
  TDisabledWindows disabled(FHandle);
  FModal = true;
  FModalResult = mrNone;
  struct TModalEnd {
    TForm& Form;
    ~TModalEnd() { Form.FModal = false; }
  } end{*this};
  Show();
  MSG msg;
  while (FModalResult == mrNone) {
    if (!Application.HandleMessage(msg)) {
      // The application is shutting down: end this loop and let the outer one see it.
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      FModalResult = mrCancel;
      break;
    }
    if (!Visible() && FModalResult == mrNone) FModalResult = mrCancel;
  }
  TModalResult result = FModalResult;
  // The others are enabled before this one hides, so the activation returns to them.
  disabled.Restore();
  Hide();
  if (previous && ::IsWindow(previous)) ::SetActiveWindow(previous);
  return result;
}

std::vector<TWinControl*> TForm::TabStops() {
  std::vector<TWinControl*> stops;
  CollectTabStops(*this, stops);
  return stops;
}

void TForm::SelectNext(bool forward) {
  std::vector<TWinControl*> stops = TabStops();
  if (stops.empty()) return;
  TWinControl* focused = FromHandle(::GetFocus());
  auto it = std::find(stops.begin(), stops.end(), focused);
  size_t n = stops.size(), next;
  if (it == stops.end()) next = forward ? 0 : n - 1;
  else next = (static_cast<size_t>(it - stops.begin()) + (forward ? 1 : n - 1)) % n;
  stops[next]->SetFocus();
}

void TForm::SelectFirst() {
  if (FActiveControl && FActiveControl->CanFocus()) {
    FActiveControl->SetFocus();
    return;
  }
  std::vector<TWinControl*> stops = TabStops();
  if (!stops.empty()) stops.front()->SetFocus();
  else if (FHandle) ::SetFocus(FHandle);
}

bool TForm::PreviewKeyMessage(const MSG& msg) {
  switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      // The form's own window fires OnKeyDown itself.
      if (FKeyPreview && OnKeyDown && msg.hwnd != FHandle) {
        uint16_t key = static_cast<uint16_t>(msg.wParam);
        OnKeyDown(key, KeyShift());
        if (key == 0) return true;
      }
      TShiftState shift = KeyShift();
      if (msg.wParam == VK_TAB && !(shift & (ssCtrl | ssAlt))) {
        SelectNext(!(shift & ssShift));
        return true;
      }
      return false;
    }
    case WM_CHAR:
    case WM_SYSCHAR: {
      wchar_t ch = static_cast<wchar_t>(msg.wParam);
      if (ch < L' ') return false;
      if (msg.message == WM_CHAR &&
          (::SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg)) & DLGC_WANTCHARS))
        return false;
      return OfferDialogChar(*this, ch);
    }
    default:
      return false;
  }
}

bool TForm::OfferDialogChar(TControl& c, wchar_t ch) {
  for (int i = 0; i < c.ControlCount(); ++i) {
    TControl* child = c.Controls(i);
    if (!child->Visible() || !child->Enabled()) continue;
    if (child->DialogChar(ch) || OfferDialogChar(*child, ch)) return true;
  }
  return false;
}

}  // namespace qs

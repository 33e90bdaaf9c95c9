// TFormShadow: the shadow window, the hook on the form's messages, the timer chain, and
// the builds and uploads of the picture. The pixel work itself is ShadowPixels.cpp.
#include "chrome/FormShadow.h"

#include <utility>
#include <vector>

#include "base/Error.h"
#include "base/Text.h"
#include "chrome/ShadowStacking.h"
#include "ui/Canvas.h"

namespace qs {
namespace {

constexpr UINT kPokeFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;  // 0x37
constexpr UINT kKeepFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;                     // 0x17
constexpr UINT kTimerEngage = 20;
constexpr UINT kTimerRefresh = 200;
constexpr UINT kTimerWatch = 5000;

}  // namespace

TFormShadow::TFormShadow() : FTimer(std::make_unique<TTimer>()) {
  SetVisible(false);
  FTimer->SetInterval(1000);
  FTimer->OnTimer = [this] { ActivateTick(); };
}

TFormShadow::~TFormShadow() {
  FRegion.Reset();
  SetForm(nullptr);
  FTimer.reset();
}

void TFormShadow::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.WndParent = nullptr;
  p.X = -1000;
  p.Width = 0;
  p.Height = 0;
  p.ClassStyle = CS_DBLCLKS | CS_OWNDC;
  // Shown and hidden only through SetWindowPos, never activated, no taskbar button.
  // Layered and transparent: the pointer goes through it to whatever window is beneath,
  // of this program or another (the hit test alone passes it only to this thread's).
  p.Style = WS_POPUP;
  p.ExStyle = WS_EX_TOOLWINDOW | WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE;
}

void TFormShadow::WndProc(TMessage& m) {
  if (m.Msg == WM_NCHITTEST) {
    // The window underneath gets the mouse.
    m.Result = HTTRANSPARENT;
    return;
  }
  if (m.Msg == WM_ERASEBKGND) m.Result = 1;
  TWinControl::WndProc(m);
}

void TFormShadow::KeepBehindForm() {
  // Under Wine, parts of the shadow's window that the X server reports exposed (when it
  // is shown, or its outline of opaque pixels changes) lift it above any window those
  // parts touch, its form included, in the Windows z-order; the X order, which is what
  // the screen and the pointer follow, stays right. It goes back behind its form here,
  // at its ticks and before it is drawn again.
  if (!FormHasWindow() || !HandleAllocated() || !::IsWindowVisible(Handle())) return;
  HWND form = FForm->Handle();
  if (::GetWindow(form, GW_HWNDNEXT) == Handle()) return;
  ::SetWindowPos(Handle(), form, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TFormShadow::Notification(TComponent* c, TOperation op) {
  TWinControl::Notification(c, op);
  if (op == opRemove && c != nullptr && c == FForm) {
    ShowShadowWindow(false);
    SetForm(nullptr);
  }
}

// --- attaching and switching --------------------------------------------------------

void TFormShadow::SetForm(TForm* form) {
  if (form == FForm) return;
  if (FForm && FOldWndProc) {
    FForm->SetWindowProc(std::move(FOldWndProc));
    FOldWndProc = nullptr;
    FFormHandle = nullptr;
    FTracking = false;
    FTimer->SetEnabled(false);
  }
  if (FForm) FForm->RemoveFreeNotification(this);
  FForm = form;
  if (FForm) {
    FOldWndProc = FForm->WindowProc();
    FForm->SetWindowProc([this](TMessage& m) { FormWndProc(m); });
    FTransColorValue = FForm->TransparentColorValue();
    FForm->SetDoubleBuffered(true);
    FFormHandle = FForm->Handle();
    FTracking = true;
    SetBounds(FForm->Left(), FForm->Top(), FForm->Width(), FForm->Height());
    FForm->FreeNotification(this);
  }
  FDirty = true;
  RefreshFormFrame(0);
}

void TFormShadow::SetActive(bool value) {
  if (value == FActive) return;
  FActive = value;
  if (value) {
    FTimer->SetInterval(kTimerEngage);
    FTimer->OnTimer = [this] { ActivateTick(); };
    FTimer->SetEnabled(true);
  } else {
    FEngaged = false;
    FTimer->SetEnabled(false);
    ShowShadowWindow(false);
  }
}

void TFormShadow::SetShadowOffset(int value) {
  if (value == FShadowOffset) return;
  FShadowOffset = value;
  RefreshFormFrame(0);
}

void TFormShadow::SetShadowColor(TColor value) {
  if (value == FShadowColor) return;
  FShadowColor = value;
  // The picture is not rebuilt: the colour shows in pictures built from now on.
  UploadShadow();
}

void TFormShadow::SetBlurPasses(int value) { FBlurPasses = value; }

// --- the timer chain ----------------------------------------------------------------

void TFormShadow::ActivateTick() {
  try {
    FTimer->SetEnabled(false);
    FEngaged = FActive;
    if (FormHasWindow() && FForm->Showing()) RefreshFormFrame(SWP_SHOWWINDOW);
  } catch (...) {
    ScheduleRefresh();
    throw;
  }
  ScheduleRefresh();
}

void TFormShadow::ScheduleRefresh() {
  // Each call restarts the count: a run of size changes gives one refresh after the last.
  FTimer->SetEnabled(false);
  FTimer->SetInterval(kTimerRefresh);
  FTimer->OnTimer = [this] { RefreshTick(); };
  FTimer->SetEnabled(true);
}

void TFormShadow::RefreshTick() {
  struct TArmWatchdog {
    TFormShadow& Self;
    ~TArmWatchdog() {
      Self.FTimer->SetInterval(kTimerWatch);
      Self.FTimer->OnTimer = [s = &Self] { s->WatchTick(); };
      Self.FTimer->SetEnabled(true);
    }
  } arm{*this};
  FTimer->SetEnabled(false);
  KeepBehindForm();
  CopyFormImage();
}

void TFormShadow::WatchTick() {
  try {
    if (!FTracking || !FFormHandle) return;
    KeepBehindForm();
    const bool gone = !FForm || !FForm->HandleAllocated() || !::IsWindow(FForm->Handle());
    if (gone || !::IsWindowVisible(FForm->Handle())) {
      ShowShadowWindow(false);
      FTracking = false;
    }
  } catch (...) {
    FTimer->SetEnabled(false);
  }
}

// --- the form's messages ------------------------------------------------------------

bool TFormShadow::FormHasWindow() const { return FForm && FForm->HandleAllocated(); }

bool TFormShadow::FormShowing() const { return FForm && FForm->Showing(); }

void TFormShadow::PassOn(TMessage& m) {
  if (FOldWndProc) FOldWndProc(m);
}

void TFormShadow::RefreshFormFrame(UINT extraFlags) {
  // The form's geometry stays; the system sends it WM_WINDOWPOSCHANGING/CHANGED, which
  // the hook sees.
  if (FormHasWindow()) ::SetWindowPos(FForm->Handle(), nullptr, 0, 0, 0, 0, kPokeFlags | extraFlags);
}

void TFormShadow::SetShadowPos(HWND after, int x, int y, int cx, int cy, UINT flags) {
  HWND wnd = Handle();
  const bool wasVisible = ::IsWindowVisible(wnd) != FALSE;
  ::SetWindowPos(wnd, after, x, y, cx, cy, flags);
  if (!wasVisible && ::IsWindowVisible(wnd)) {
    RaiseWindowsAbove(wnd);
    // The refresh tick puts the shadow back in its place once the system settled.
    if (FEngaged) ScheduleRefresh();
  }
}

bool TFormShadow::FormShownNormally() const {
  return FormHasWindow() && ::IsWindowVisible(FForm->Handle()) && FForm->WindowState() == wsNormal;
}

void TFormShadow::ShowShadowWindow(bool show) {
  // Activation and moves of a minimised, maximised or hidden form never bring its
  // shadow back; restoring and showing the form do, once it stands on screen.
  show = show && FormShownNormally();
  const UINT flags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
  SetShadowPos(FormHasWindow() ? FForm->Handle() : nullptr, 0, 0, 0, 0, flags);
}

void TFormShadow::FormWndProc(TMessage& m) {
  if (!FEngaged) {
    PassOn(m);
    return;
  }
  try {
    switch (m.Msg) {
      case WM_DESTROY:
        ShowShadowWindow(false);
        PassOn(m);
        break;
      case WM_SIZE:
        if (FormShowing()) FormWMSize(m);
        else ShowShadowWindow(false);
        break;
      case WM_ACTIVATE:
        PassOn(m);
        ShowShadowWindow(true);
        // Under Wine the form's X window is raised only after this message, past its
        // shadow; the refresh tick puts the shadow back behind it (KeepBehindForm).
        if (LOWORD(m.WParam) != WA_INACTIVE) ScheduleRefresh();
        break;
      case WM_WINDOWPOSCHANGING:
        PassOn(m);
        if (FormShowing()) FormPosChanging(*reinterpret_cast<const WINDOWPOS*>(m.LParam));
        else ShowShadowWindow(false);
        break;
      case WM_WINDOWPOSCHANGED:
        PassOn(m);
        if (FormShowing()) FormPosChanged(*reinterpret_cast<const WINDOWPOS*>(m.LParam));
        else ShowShadowWindow(false);
        break;
      case CM_SHOWINGCHANGED:
        PassOn(m);
        ShowShadowWindow(FormShowing());
        break;
      default:
        PassOn(m);
        break;
    }
  } catch (const EQsError& e) {
    ::OutputDebugStringA(WideToAnsi(e.Message()).c_str());
  }
}

void TFormShadow::FormWMSize(TMessage& m) {
  PassOn(m);
  switch (m.WParam) {
    case SIZE_RESTORED: ShowShadowWindow(true); break;
    case SIZE_MINIMIZED:
    case SIZE_MAXIMIZED: ShowShadowWindow(false); break;
    default: break;
  }
}

void TFormShadow::PlaceBehindForm(int formX, int formY) {
  SetShadowPos(FForm->Handle(), formX + FShadowOffset - kShadowMargin, formY + FShadowOffset - kShadowMargin,
               FShadowBitmap.Width, FShadowBitmap.Height, SWP_NOACTIVATE);
}

void TFormShadow::FormPosChanging(const WINDOWPOS& pos) {
  if (!FEngaged || FForm->WindowState() != wsNormal || (pos.flags & SWP_HIDEWINDOW)) {
    ShowShadowWindow(false);
    return;
  }
  if (pos.hwndInsertAfter == nullptr && pos.cx == 0 && pos.cy == 0) {
    // Neither sized nor reordered: show a shadow that exists, never build one here.
    if (FShadowBitmap.Width > 5 && FShadowBitmap.Height > 5) {
      ShowShadowWindow(true);
      FTracking = true;
    }
    return;
  }
  // A form getting smaller gets its smaller shadow now, so the shadow never sticks out
  // beyond it; growth waits for WM_WINDOWPOSCHANGED. Sizes and places the flags mark as
  // unused are not taken from the record.
  if (pos.flags & SWP_NOSIZE) return;
  // The window's size, which is still the old one while it is changing.
  RECT now{};
  ::GetWindowRect(FForm->Handle(), &now);
  const bool shrinking = pos.cx < now.right - now.left || pos.cy < now.bottom - now.top;
  if (!shrinking || pos.cx <= 0 || pos.cy <= 0) return;
  BuildRectShadow(pos.cx, pos.cy);
  const bool moves = !(pos.flags & SWP_NOMOVE);
  PlaceBehindForm(moves ? pos.x : now.left, moves ? pos.y : now.top);
  FPendingFlags = 0;
  ScheduleRefresh();
  FTracking = true;
}

void TFormShadow::FormPosChanged(const WINDOWPOS& pos) {
  const int w = FForm->Width(), h = FForm->Height();
  if (!(pos.flags & SWP_NOMOVE) && FShadowBitmap.Width == w + 2 * kShadowMargin &&
      FShadowBitmap.Height == h + 2 * kShadowMargin) {
    // Moved, same size: the window follows, the picture stays.
    FPendingFlags |= pos.flags & SWP_HIDEWINDOW;
    if (!FormShownNormally()) FPendingFlags |= SWP_HIDEWINDOW;
    if (FPendingFlags == 0) FPendingFlags = kKeepFlags | SWP_SHOWWINDOW;
    PlaceBehindForm(pos.x, pos.y);
    SetShadowPos(FForm->Handle(), 0, 0, 0, 0, FPendingFlags | kKeepFlags);
    FTracking = true;
    FPendingFlags = 0;
    return;
  }
  if (w == FBuiltWidth && h == FBuiltHeight) return;
  if (FForm->WindowState() == wsNormal) {
    if (!FRegion) FRegion.Reset(::CreateRectRgn(0, 0, 1, 1));
    if (::GetWindowRgn(FForm->Handle(), FRegion.Get()) == COMPLEXREGION) BuildRegionShadow(w, h);
    else BuildRectShadow(w, h);
  }
  FPendingFlags |= pos.flags & SWP_HIDEWINDOW;
  if (!FormShownNormally()) FPendingFlags |= SWP_HIDEWINDOW;
  if (FPendingFlags == 0) FPendingFlags = pos.flags & SWP_SHOWWINDOW;
  PlaceBehindForm(FForm->Left(), FForm->Top());
  SetShadowPos(FForm->Handle(), 0, 0, 0, 0, FPendingFlags | kKeepFlags);
  ScheduleRefresh();
  FTracking = true;
  FPendingFlags = 0;
}

// --- building and uploading the picture ---------------------------------------------

bool TFormShadow::NeedsRebuild(int width, int height) {
  const int ws = width + 2 * kShadowMargin, hs = height + 2 * kShadowMargin;
  if (FShadowBitmap.Width != ws || FShadowBitmap.Height != hs) {
    FDirty = true;
    FShadowBitmap.Resize(ws, hs);
    FUnderFormPending = true;
  } else if (FForm->TransparentColor() && FForm->TransparentColorValue() != FTransColorValue) {
    FDirty = true;
  }
  return FDirty;
}

void TFormShadow::BuildRectShadow(int width, int height) {
  if (!FTemplate) {
    // Built once for the life of the shadow, in the colour of that moment.
    FTemplate = std::make_unique<TPixelBuffer>(MakeShadowTemplate(FBlurPasses, ColorToRGB(FShadowColor)));
    FDirty = true;
  }
  if (!FEngaged || !FormHasWindow() || FForm->Parent() || width <= 0 || height <= 0) return;
  if (!NeedsRebuild(width, height)) return;
  FRegionMode = false;
  FDirty = false;
  FBuiltWidth = width;
  FBuiltHeight = height;
  ComposeRectShadow(FShadowBitmap, *FTemplate);
  if (std::exchange(FUnderFormPending, false)) {
    // Until the form's picture is copied in, the part under the form holds the form's
    // colour: opaque from the start, so the copy changes no outline of opaque pixels
    // (under Wine a growing outline is reported exposed, see KeepBehindForm).
    FillRect(FShadowBitmap, TRect::Bounds(kShadowMargin, kShadowMargin, width, height),
             OpaquePixel(ColorToRGB(FForm->Color())));
  }
  UploadShadow();
}

void TFormShadow::BuildRegionShadow(int width, int height) {
  if (!FEngaged || !FormHasWindow() || FForm->Parent() || width <= 0 || height <= 0) return;
  if (!NeedsRebuild(width, height)) return;
  FRegionMode = true;
  FBuiltWidth = width;
  FBuiltHeight = height;
  FDirty = false;
  ::OffsetRgn(FRegion.Get(), kShadowMargin, kShadowMargin);
  TPixelBuffer formImage;
  PaintFormMask(formImage);
  RECT window{};
  ::GetWindowRect(FForm->Handle(), &window);
  POINT client{0, 0};
  ::ClientToScreen(FForm->Handle(), &client);
  BuildRegionShadowPixels(FShadowBitmap, RegionMask(), formImage, client.x - window.left + kShadowMargin,
                          client.y - window.top + kShadowMargin, FBlurPasses, ColorToRGB(FShadowColor));
  // A shaped form's picture goes up now, not only with the next copy of the form.
  UploadShadow();
}

void TFormShadow::PaintFormMask(TPixelBuffer& image) {
  FFormImage.SetSize(FForm->ClientWidth(), FForm->ClientHeight());
  TCanvas& canvas = FFormImage.Canvas();
  canvas.SetOrigin({0, 0});
  FForm->PaintTree(canvas, FForm->ClientRect());
  image = FFormImage.ToPixelBuffer();
  if (!FForm->TransparentColor()) return;
  // The mask: pixels of the transparent colour cast no shadow.
  const uint32_t hole = OpaquePixel(ColorToRGB(FForm->TransparentColorValue())) & 0xFFFFFF;
  for (uint32_t& p : image.Pixels) p = (p & 0xFFFFFF) == hole ? 0 : 0xFFFFFF;
}

TRegionMask TFormShadow::RegionMask() const {
  TRegionMask mask(FShadowBitmap.Width, FShadowBitmap.Height);
  if (!FRegion) return mask;
  const DWORD size = ::GetRegionData(FRegion.Get(), 0, nullptr);
  if (size == 0) return mask;
  std::vector<uint8_t> bytes(size);
  auto* data = reinterpret_cast<RGNDATA*>(bytes.data());
  if (::GetRegionData(FRegion.Get(), size, data) == 0) return mask;
  const RECT* rects = reinterpret_cast<const RECT*>(data->Buffer);
  for (DWORD i = 0; i < data->rdh.nCount; ++i)
    mask.AddRect({rects[i].left, rects[i].top, rects[i].right, rects[i].bottom});
  return mask;
}

void TFormShadow::CopyFormImage() {
  if (!FForm || !FForm->HandleAllocated()) return;
  const int w = FForm->Width(), h = FForm->Height();
  if (FFormImage.Width() == w && FFormImage.Height() == h) return;
  FFormImage.SetSize(w, h);
  {
    TWindowDc formDc(FForm->Handle());
    ::BitBlt(FFormImage.Dc(), 0, 0, w, h, formDc.Get(), 0, 0, SRCCOPY);
  }
  if (FShadowBitmap.Width <= w + 17 || FShadowBitmap.Height <= h + 17) return;
  const TPixelBuffer form = FFormImage.ToPixelBuffer();
  if (FRegionMode) {
    const TRegionMask mask = RegionMask();
    CopyFormPixels(FShadowBitmap, form, &mask);
  } else {
    CopyFormPixels(FShadowBitmap, form, nullptr);
  }
  UploadShadow();
}

void TFormShadow::UploadShadow() {
  FBlend.SourceConstantAlpha = FForm && FForm->TransparentColor() ? FForm->AlphaBlendValue() : 255;
  HWND wnd = Handle();
  if (FShadowBitmap.Empty()) return;
  KeepBehindForm();
  FUploadBitmap.Assign(FShadowBitmap);
  SIZE size{FShadowBitmap.Width, FShadowBitmap.Height};
  POINT source{0, 0};
  ::UpdateLayeredWindow(wnd, nullptr, nullptr, &size, FUploadBitmap.Dc(), &source, 0, &FBlend, ULW_ALPHA);
}

}  // namespace qs

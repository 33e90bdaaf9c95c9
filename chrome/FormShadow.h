// TFormShadow: the soft drop shadow of a borderless form. It is a windowed control that
// is never placed on a parent: its own top-level, layered, click-through pop-up, never
// activated, 32 pixels wider and higher than the form, 16 pixels up and left of it, kept
// directly behind it. The picture is a premultiplied 32-bit image handed to the system
// with UpdateLayeredWindow: a blurred, tinted rim fading out over 16 pixels, and under
// the form an opaque copy of the form's own picture.
//
// The shadow follows the form by taking over the form's WindowProc and chaining to the
// hook it replaced; one timer does the deferred work (engaging 20 ms after SetActive,
// copying the form's picture 200 ms after the last size change, a 5 s watchdog).
//
//   FShadow = Make<TFormShadow>();   // in the form's creation handler: the form owns it
//   FShadow->SetForm(this);
//   FShadow->SetActive(true);        // in the show handler
#pragma once
#include <windows.h>

#include <memory>

#include "base/Handle.h"
#include "chrome/ShadowPixels.h"
#include "ui/Bitmap.h"
#include "ui/Form.h"
#include "ui/Timer.h"

namespace qs {

class TFormShadow : public TWinControl {
public:
  TFormShadow();
  ~TFormShadow() override;

  // The shadowed form (not owned). Hides TControl::Form, which for a control without
  // a parent would always be nullptr.
  TForm* Form() const { return FForm; }
  virtual void SetForm(TForm* form);
  bool Active() const { return FActive; }
  virtual void SetActive(bool value);
  int ShadowOffset() const { return FShadowOffset; }
  virtual void SetShadowOffset(int value);
  TColor ShadowColor() const { return FShadowColor; }
  virtual void SetShadowColor(TColor value);
  int BlurPasses() const { return FBlurPasses; }
  virtual void SetBlurPasses(int value);

  // For looking at the shadow's state: the picture last composed, whether the hook
  // reacts to the form's messages, whether the shadow is placed for the form.
  const TPixelBuffer& ShadowBitmap() const { return FShadowBitmap; }
  bool Engaged() const { return FEngaged; }
  bool Tracking() const { return FTracking; }

protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& m) override;
  void Notification(TComponent* c, TOperation op) override;

  virtual void FormWndProc(TMessage& m);
  virtual void FormWMSize(TMessage& m);
  // The form's picture as it lies over its region (its transparent-colour mask when it
  // has one): what a shaped form's shadow is blurred from.
  virtual void PaintFormMask(TPixelBuffer& image);
  virtual void BuildRectShadow(int width, int height);
  virtual void BuildRegionShadow(int width, int height);
  virtual void RefreshFormFrame(UINT extraFlags);
  virtual void ActivateTick();
  virtual void RefreshTick();
  virtual void CopyFormImage();
  virtual void ScheduleRefresh();

private:
  void PassOn(TMessage& m);
  bool FormShowing() const;
  bool FormHasWindow() const;
  // The form's window is visible, neither minimised nor maximised.
  bool FormShownNormally() const;
  void FormPosChanging(const WINDOWPOS& pos);
  void FormPosChanged(const WINDOWPOS& pos);
  void PlaceBehindForm(int formX, int formY);
  // Every placement, showing and hiding of the shadow's window goes through here.
  void SetShadowPos(HWND after, int x, int y, int cx, int cy, UINT flags);
  void KeepBehindForm();
  void UploadShadow();
  void ShowShadowWindow(bool show);
  void WatchTick();
  // Whether the picture would have to be built again for a form of this size.
  bool NeedsRebuild(int width, int height);
  // FRegion (the form's region, moved by 16, 16) as a pixel mask over the picture.
  TRegionMask RegionMask() const;

  TForm* FForm = nullptr;
  UINT FPendingFlags = SWP_SHOWWINDOW;
  bool FEngaged = false;
  bool FActive = false;
  std::unique_ptr<TTimer> FTimer;
  int FShadowOffset = 0;
  TColor FShadowColor = clBlack;
  TWndMethod FOldWndProc;
  TColor FTransColorValue = 0;
  TRegionHandle FRegion;
  TPixelBuffer FShadowBitmap;
  std::unique_ptr<TPixelBuffer> FTemplate;
  BLENDFUNCTION FBlend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  bool FDirty = true;
  TBitmap FFormImage{pf24bit};
  int FBuiltWidth = 0;
  int FBuiltHeight = 0;
  bool FTracking = false;
  HWND FFormHandle = nullptr;
  bool FRegionMode = false;
  bool FUnderFormPending = false;  // a new picture whose part under the form is still empty
  int FBlurPasses = 2;
  // The DIB section the picture is handed to UpdateLayeredWindow from.
  TBitmap FUploadBitmap{pf32bit};
};

}  // namespace qs

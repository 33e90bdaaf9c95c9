// TForm: a borderless top-level window that owns its controls. A form is built in its
// constructor from its design table (ui/Design.h); MakeForm then runs its creation
// handler (OnCreate / DoCreate), so the handler sees the whole form:
//
//   class Tfrm_Info : public TForm {
//   public:
//     Tfrm_Info() {
//       SetClientWidth(413); SetClientHeight(161); SetColor(clWhite);
//       BuildControls(*this, kRows);
//       OnCreate = [this] { FormCreate(); };
//       OnShow = [this] { FormShow(); };
//     }
//   };
//   auto dlg = MakeForm<Tfrm_Info>();   // FormCreate has run
//   int r = dlg->ShowModal();           // 1, 2, ... as the handlers set ModalResult
//
// Showing: Show/Hide set Visible; the window shows while Visible (CM_SHOWINGCHANGED does
// the showing, after OnShow). Position poScreenCenter centres the form on the screen each
// time it is shown; poDesigned keeps Left/Top. Modal showing (ShowModal) disables the
// application's other windows, shows the form, runs a nested message loop until
// ModalResult is set (a button handler sets it; Close, and hiding the form, give
// mrCancel), then hides the form, enables the others again and returns the result.
// WM_QUIT ends the loop with mrCancel and is posted again for the outer loop. The system close command (Alt+F4,
// WM_CLOSE) calls Close: a modal form gets mrCancel, the main form ends the application,
// any other form hides.
//
// Keyboard: focus moves with Tab/Shift+Tab through the windowed controls that are tab
// stops (by TabOrder inside each parent, parents in their own TabOrder); with KeyPreview
// the form's OnKeyDown sees each key first (setting it to 0 swallows it); a character
// that the focused control does not take is offered to the controls as an accelerator
// (the letter after "&" in a caption). When the form is shown or activated, the focus
// goes to ActiveControl, or the first tab stop.
//
// A form is dragged by its own code: ReleaseCapture, then
// Perform(WM_SYSCOMMAND, 0xF012, 0) starts the system's move loop.
#pragma once
#include <memory>
#include <utility>

#include "ui/WinControl.h"

namespace qs {

class TForm : public TWinControl {
public:
  TForm();
  ~TForm() override;

  // Forms have no border: the client area is the window.
  int ClientWidth() const { return Width(); }
  int ClientHeight() const { return Height(); }
  void SetClientWidth(int w) { SetWidth(w); }
  void SetClientHeight(int h) { SetHeight(h); }

  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition p) { FPosition = p; }
  TFormStyle FormStyle() const { return FFormStyle; }
  void SetFormStyle(TFormStyle s);
  bool KeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool v) { FKeyPreview = v; }

  TWindowState WindowState() const;
  void SetWindowState(TWindowState s);

  // Layered-window settings: a colour shown as a hole, and a constant opacity.
  bool TransparentColor() const { return FTransparentColor; }
  void SetTransparentColor(bool v);
  TColor TransparentColorValue() const { return FTransparentColorValue; }
  void SetTransparentColorValue(TColor c);
  bool AlphaBlend() const { return FAlphaBlend; }
  void SetAlphaBlend(bool v);
  uint8_t AlphaBlendValue() const { return FAlphaBlendValue; }
  void SetAlphaBlendValue(uint8_t v);

  TWinControl* ActiveControl() const { return FActiveControl; }
  void SetActiveControl(TWinControl* c);

  void Close();
  TModalResult ShowModal();
  bool Modal() const { return FModal; }
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult r) { FModalResult = r; }

  // Moves the focus to the next (or previous) tab stop after the focused control.
  void SelectNext(bool forward);
  void SelectFirst();
  // Offers a key message to the form before its control gets it (Tab, KeyPreview,
  // accelerators); true when the form handled it. The message loops call it.
  bool PreviewKeyMessage(const MSG& msg);

  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;

  // Runs the creation handler (MakeForm and TApplication::CreateForm call it).
  virtual void DoCreate();

protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& m) override;
  void Paint(TCanvas& canvas) override;
  void UpdateShowing() override;

private:
  void ApplyLayered();
  void ShowingChanged();
  void CenterOnScreen();
  void Activated(bool active);
  std::vector<TWinControl*> TabStops();
  // Offers a typed character to c's children as an accelerator, depth first.
  static bool OfferDialogChar(TControl& c, wchar_t ch);
  friend class TWinControl;
  friend class TControl;
  void ControlFocused(TWinControl* c);
  void ControlDestroying(TControl* c);

  TPosition FPosition = poDesigned;
  TFormStyle FFormStyle = fsNormal;
  bool FKeyPreview = false;
  bool FModal = false;
  TModalResult FModalResult = mrNone;
  TWindowState FPendingState = wsNormal;
  bool FTransparentColor = false;
  TColor FTransparentColorValue = clBlack;
  bool FAlphaBlend = false;
  uint8_t FAlphaBlendValue = 255;
  TWinControl* FActiveControl = nullptr;
};

// Makes a form of class T (not owned by the application) and runs its creation handler.
template <typename T, typename... Args>
std::unique_ptr<T> MakeForm(Args&&... args) {
  auto form = std::make_unique<T>(std::forward<Args>(args)...);
  form->DoCreate();
  return form;
}

}  // namespace qs

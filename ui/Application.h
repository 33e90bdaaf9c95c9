// TApplication: the one application object, `Application`. It holds the title (the text
// of the main form's window, which is its taskbar button), the main form, the message
// loop and its nested forms (ProcessMessages, modal loops), the control under the mouse
// (for CM_MOUSEENTER/CM_MOUSELEAVE), and the handler for exceptions caught where the
// system calls us (window and timer procedures): no C++ exception crosses them.
//
//   int WINAPI wWinMain(...) {
//     Application.Initialize();
//     Application.SetTitle(L"Velmora");
//     Application.CreateForm<Tfrm_Main>();   // the first form made becomes the main form
//     Application.Run();                    // until the main form closes / WM_QUIT
//   }
//
// Code that Windows calls wraps its work in CallGuarded, which reports whatever it
// throws through HandleException (OnException, or a message box by default).
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ui/Form.h"

namespace qs {

class TApplication {
public:
  // COM for this thread (WIC, the folder chooser), the common controls and the rich-text
  // library. Safe to call more than once.
  void Initialize();

  const std::wstring& Title() const { return FTitle; }
  void SetTitle(const std::wstring& title);

  TForm* MainForm() const { return FMainForm; }
  void SetMainForm(TForm* form);
  // Makes a form owned by the application (freed when Run ends, or by DestroyForms) and
  // runs its creation handler; the first one becomes the main form.
  template <typename T, typename... Args>
  T* CreateForm(Args&&... args) {
    auto form = std::make_unique<T>(std::forward<Args>(args)...);
    T* raw = form.get();
    FForms.push_back(std::move(form));
    if (!FMainForm) SetMainForm(raw);
    raw->DoCreate();
    return raw;
  }
  void DestroyForms();

  // Shows the main form and runs the message loop until WM_QUIT; frees the forms the
  // application owns; returns WM_QUIT's exit code.
  int Run();
  // Handles every message waiting in the queue, then returns.
  void ProcessMessages();
  // Waits for one message and handles it; false when it was WM_QUIT (which is then
  // left for the caller to act on).
  bool HandleMessage(MSG& msg);
  // One message through the layer's pre-processing (keys to the form first), then
  // TranslateMessage and DispatchMessage.
  void DispatchOne(MSG& msg);
  // Ends the message loop (PostQuitMessage).
  void Terminate(int exitCode = 0);
  bool Terminated() const { return FTerminated; }

  // Minimises / restores the whole application (its main form, with what it owns).
  void Minimize();
  void Restore();

  // Full path of the running executable.
  std::wstring ExeName() const;
  // The application's window: owner of the folder chooser and of forms without an owner
  // of their own. The main form's window once it exists.
  HWND Handle() const;

  // Reports the exception being handled; call only inside a catch block.
  void HandleException() noexcept;
  // Receives the text of each exception caught at a callback boundary. Unset: a message
  // box with the text.
  std::function<void(const std::wstring& message)> OnException;

  // The control under the mouse; the windows report every pointer move and leave.
  TControl* MouseControl() const { return FMouseControl; }
  void SetMouseControl(TControl* c);
  // A control is going away: every reference to it is dropped.
  void ControlDestroying(TControl* c);
  // A form is going away.
  void FormDestroying(TForm* f);

private:
  std::wstring FTitle;
  TForm* FMainForm = nullptr;
  std::vector<std::unique_ptr<TForm>> FForms;
  TControl* FMouseControl = nullptr;
  bool FTerminated = false;
  bool FInitialized = false;
};

extern TApplication Application;

// Runs f; an exception is reported through Application.HandleException and goes no
// further. For the bodies of window procedures, timer procedures and other callbacks.
template <typename F>
void CallGuarded(F&& f) noexcept {
  try {
    f();
  } catch (...) {
    Application.HandleException();
  }
}

}  // namespace qs

// TApplication: the message loops, the pre-processing of keys for forms, minimising,
// the control under the mouse, and the report of exceptions caught at boundaries.
#include "ui/Application.h"

#include <commctrl.h>
#include <objbase.h>

#include <exception>

#include "base/Error.h"
#include "base/Paths.h"
#include "base/Text.h"

namespace qs {

TApplication Application;

void TApplication::Initialize() {
  if (FInitialized) return;
  FInitialized = true;
  ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&icc);
  ::LoadLibraryW(L"msftedit.dll");  // the rich-text box's window class
}

void TApplication::SetTitle(const std::wstring& title) {
  FTitle = title;
  if (FMainForm) FMainForm->SetCaption(title);
}

void TApplication::SetMainForm(TForm* form) {
  FMainForm = form;
  if (FMainForm && !FTitle.empty()) FMainForm->SetCaption(FTitle);
}

void TApplication::DestroyForms() {
  while (!FForms.empty()) {
    std::unique_ptr<TForm> last = std::move(FForms.back());
    FForms.pop_back();
    last.reset();
  }
}

int TApplication::Run() {
  if (FMainForm) FMainForm->Show();
  MSG msg{};
  while (HandleMessage(msg)) {
  }
  DestroyForms();
  return static_cast<int>(msg.wParam);
}

bool TApplication::HandleMessage(MSG& msg) {
  if (::GetMessageW(&msg, nullptr, 0, 0) <= 0) {
    FTerminated = true;
    return false;
  }
  DispatchOne(msg);
  return true;
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // Left for the loop that owns the application's end.
      FTerminated = true;
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    DispatchOne(msg);
  }
}

void TApplication::DispatchOne(MSG& msg) {
  if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN || msg.message == WM_CHAR ||
      msg.message == WM_SYSCHAR) {
    // The control of ours the key goes to (a native control's inner windows included).
    TWinControl* target = nullptr;
    for (HWND w = msg.hwnd; w && !target; w = ::GetParent(w)) target = TWinControl::FromHandle(w);
    TForm* form = target ? target->Form() : nullptr;
    bool handled = false;
    CallGuarded([&] { handled = form && form->PreviewKeyMessage(msg); });
    if (handled) return;
  }
  ::TranslateMessage(&msg);
  ::DispatchMessageW(&msg);
}

void TApplication::Terminate(int exitCode) {
  FTerminated = true;
  ::PostQuitMessage(exitCode);
}

void TApplication::Minimize() {
  if (FMainForm && FMainForm->HandleAllocated()) ::ShowWindow(FMainForm->Handle(), SW_MINIMIZE);
}

void TApplication::Restore() {
  if (FMainForm && FMainForm->HandleAllocated()) ::ShowWindow(FMainForm->Handle(), SW_RESTORE);
}

std::wstring TApplication::ExeName() const { return ExePath(); }

HWND TApplication::Handle() const {
  return FMainForm && FMainForm->HandleAllocated() ? FMainForm->Handle() : nullptr;
}

void TApplication::HandleException() noexcept {
  std::wstring text;
  try {
    throw;
  } catch (const EQsError& e) {
    text = e.Message();
  } catch (const std::exception& e) {
    text = AnsiToWide(e.what());
  } catch (...) {
    text = L"未知错误";
  }
  ::OutputDebugStringW((L"[Application] " + text + L"\n").c_str());
  try {
    if (OnException) OnException(text);
    else ::MessageBoxW(Handle(), text.c_str(), FTitle.c_str(), MB_OK | MB_ICONERROR);
  } catch (...) {
    ::OutputDebugStringW(L"[Application] the exception handler failed\n");
  }
}

void TApplication::SetMouseControl(TControl* c) {
  if (c == FMouseControl) return;
  TControl* old = FMouseControl;
  FMouseControl = c;
  if (old) old->Perform(CM_MOUSELEAVE);
  // The leave handler may have moved the mouse control on already.
  if (c && FMouseControl == c) c->Perform(CM_MOUSEENTER);
}

void TApplication::ControlDestroying(TControl* c) {
  if (FMouseControl == c) FMouseControl = nullptr;
}

void TApplication::FormDestroying(TForm* f) {
  if (FMainForm == f) FMainForm = nullptr;
}

}  // namespace qs

// TRichEdit: the rich-text box of msftedit.dll, holding plain text.
#include "ui/RichEdit.h"

#include <richedit.h>

#include "ui/Canvas.h"
#include "ui/Font.h"

namespace qs {

TRichEdit::TRichEdit() {
  SetTabStop(true);
  SetControlStyle(0);
  SetColor(clWindow);
}

void TRichEdit::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  // The class lives in msftedit.dll, loaded once for the process.
  static HMODULE library = ::LoadLibraryW(L"msftedit.dll");
  (void)library;
  p.ClassName = MSFTEDIT_CLASS;
  p.Style |= ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL | WS_HSCROLL | (FReadOnly ? ES_READONLY : 0);
}

void TRichEdit::CreateWnd() {
  ApplyColor();
  ::SetWindowTextW(Handle(), FText.c_str());
}

void TRichEdit::ApplyColor() {
  if (!HandleAllocated()) return;
  ::SendMessageW(Handle(), EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Color())));
  CHARFORMAT2W cf{};
  cf.cbSize = sizeof cf;
  cf.dwMask = CFM_COLOR;
  cf.crTextColor = ColorToRGB(Font().Color);
  ::SendMessageW(Handle(), EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&cf));
}

std::wstring TRichEdit::Text() const {
  if (!HandleAllocated()) return FText;
  HWND wnd = const_cast<TRichEdit*>(this)->Handle();
  std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(wnd)) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(wnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

void TRichEdit::SetText(const std::wstring& text) {
  FText = text;
  if (!HandleAllocated()) return;
  ::SetWindowTextW(Handle(), text.c_str());
  ApplyColor();
}

void TRichEdit::SetReadOnly(bool v) {
  if (v == FReadOnly) return;
  FReadOnly = v;
  if (HandleAllocated()) ::SendMessageW(Handle(), EM_SETREADONLY, v, 0);
}

void TRichEdit::Configure(const TDesign& d) {
  TWinControl::Configure(d);
  SetReadOnly(d.ReadOnly);
}

void TRichEdit::TextChanged() {
  // The caption is not the box's text: only the font and colours go to the window.
  if (!HandleAllocated()) return;
  ::SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle(Font())), TRUE);
  ApplyColor();
}

}  // namespace qs

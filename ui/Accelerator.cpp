// Accelerator letters of captions.
#include "ui/Accelerator.h"

namespace qs {
namespace {

wchar_t Upper(wchar_t c) { return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - L'a' + L'A') : c; }

}  // namespace

wchar_t AcceleratorOf(const std::wstring& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != L'&') continue;
    if (caption[i + 1] == L'&') { ++i; continue; }
    return Upper(caption[i + 1]);
  }
  return 0;
}

std::wstring StripAccelerator(const std::wstring& caption) {
  std::wstring out;
  out.reserve(caption.size());
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == L'&') {
      if (i + 1 < caption.size() && caption[i + 1] == L'&') { out += L'&'; ++i; }
      continue;
    }
    out += caption[i];
  }
  return out;
}

bool IsAccelerator(wchar_t typed, const std::wstring& caption) {
  wchar_t a = AcceleratorOf(caption);
  return a != 0 && Upper(typed) == a;
}

}  // namespace qs

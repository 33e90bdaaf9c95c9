#include "base/SysError.h"

#include <windows.h>

namespace qs {

std::wstring SysErrorText(unsigned long code) {
  wchar_t* buf = nullptr;
  DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
  // WinInet's codes (12000-12175) live in wininet.dll's message table.
  HMODULE inet = (code >= 12000 && code <= 12175) ? ::GetModuleHandleW(L"wininet.dll") : nullptr;
  if (inet) flags |= FORMAT_MESSAGE_FROM_HMODULE;
  DWORD n = ::FormatMessageW(flags, inet, code, 0, reinterpret_cast<wchar_t*>(&buf), 0, nullptr);
  std::wstring text = n ? std::wstring(buf, n) : std::wstring();
  if (buf) ::LocalFree(buf);
  while (!text.empty() && (text.back() <= L' ' || text.back() == L'.' || text.back() == L'。'))
    text.pop_back();
  for (auto& c : text)
    if (c < L' ') c = L' ';
  if (text.empty()) text = L"错误代码 " + std::to_wstring(code);
  return text;
}

std::wstring LastErrorText() { return SysErrorText(::GetLastError()); }

}  // namespace qs

// Restacking the windows above a shadow that was just shown, under Wine only.
#include "chrome/ShadowStacking.h"

#include <vector>

namespace qs {
namespace {

bool UnderWine() {
  static const bool wine = [] {
    HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
  }();
  return wine;
}

}  // namespace

void RaiseWindowsAbove(HWND wnd) {
  if (!UnderWine()) return;
  const DWORD self = ::GetCurrentProcessId();
  std::vector<HWND> above;  // nearest first
  for (HWND w = ::GetWindow(wnd, GW_HWNDPREV); w; w = ::GetWindow(w, GW_HWNDPREV)) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(w, &pid);
    if (pid == self && ::IsWindowVisible(w)) above.push_back(w);
  }
  if (above.empty()) return;
  // Each raise puts one window first in both orders; lowest first keeps their order. The
  // shadow goes first before them, or raising a window that is already first would be
  // taken as no change at all. No WM_WINDOWPOSCHANGING: a hook on it (the shadow's own)
  // could reorder the windows while a raise is under way.
  const UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOSENDCHANGING;
  ::SetWindowPos(wnd, HWND_TOP, 0, 0, 0, 0, flags);
  for (HWND w : above) ::SetWindowPos(w, HWND_TOP, 0, 0, 0, 0, flags);
}

}  // namespace qs

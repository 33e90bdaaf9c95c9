// Drives a modal dialog from a second thread while the test's thread sits in the dialog's
// modal loop: the driver waits for the dialog's window, looks at it through plain window
// calls (never touching the dialog's objects), and answers it with real input (SendInput).
// If the driver's steps leave the dialog up, it closes the window, so a failing test ends.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/WinTestUtil.h"

namespace qs::test {

// A visible top-level window of this process with the given text, or nullptr after ms.
inline HWND WaitForDialog(const std::wstring& text, DWORD ms = 5000) {
  return WaitForWindow(::GetCurrentProcessId(), text, ms);
}

inline bool WaitFor(const std::function<bool()>& done, DWORD ms = 5000) {
  ULONGLONG end = ::GetTickCount64() + ms;
  while (!done()) {
    if (::GetTickCount64() > end) return false;
    ::Sleep(10);
  }
  return true;
}

// The window that has the keyboard focus in the given thread.
inline HWND FocusOf(DWORD thread) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return ::GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

inline std::wstring TextOf(HWND wnd) {
  wchar_t buf[256] = {};
  ::GetWindowTextW(wnd, buf, 256);
  return buf;
}

// The visible child windows of a window whose text is text (buttons show their caption).
inline HWND FindChild(HWND parent, const std::wstring& text) {
  struct TFind { const std::wstring* Text; HWND Found; } find{&text, nullptr};
  ::EnumChildWindows(parent, [](HWND w, LPARAM lp) -> BOOL {
    auto f = reinterpret_cast<TFind*>(lp);
    if (::IsWindowVisible(w) && TextOf(w) == *f->Text) { f->Found = w; return FALSE; }
    return TRUE;
  }, reinterpret_cast<LPARAM>(&find));
  return find.Found;
}

inline std::vector<HWND> VisibleChildren(HWND parent) {
  std::vector<HWND> out;
  ::EnumChildWindows(parent, [](HWND w, LPARAM lp) -> BOOL {
    if (::IsWindowVisible(w)) reinterpret_cast<std::vector<HWND>*>(lp)->push_back(w);
    return TRUE;
  }, reinterpret_cast<LPARAM>(&out));
  return out;
}

inline RECT RectOf(HWND wnd) {
  RECT r{};
  ::GetWindowRect(wnd, &r);
  return r;
}

// The form's shadow: the visible layered window next behind it in the z-order, 16 pixels
// larger on every side; nullptr when there is none (yet).
inline HWND ShadowBehind(HWND form) {
  RECT f = RectOf(form);
  for (HWND w = ::GetWindow(form, GW_HWNDNEXT); w; w = ::GetWindow(w, GW_HWNDNEXT)) {
    if (!::IsWindowVisible(w)) continue;
    RECT s = RectOf(w);
    bool fits = (::GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_LAYERED) && s.left == f.left - 16 &&
                s.top == f.top - 16 && s.right == f.right + 16 && s.bottom == f.bottom + 16;
    return fits ? w : nullptr;
  }
  return nullptr;
}

inline void InputMouseTo(int x, int y) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = static_cast<LONG>((x * 65536LL + 65535) / ::GetSystemMetrics(SM_CXSCREEN));
  in.mi.dy = static_cast<LONG>((y * 65536LL + 65535) / ::GetSystemMetrics(SM_CYSCREEN));
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  ::SendInput(1, &in, sizeof in);
  WaitFor([&] {
    POINT p{};
    ::GetCursorPos(&p);
    return p.x == x && p.y == y;
  }, 2000);
}

inline void InputMouseButton(DWORD flags) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flags;
  ::SendInput(1, &in, sizeof in);
  ::Sleep(40);
}

inline void InputClick(int x, int y, DWORD down = MOUSEEVENTF_LEFTDOWN, DWORD up = MOUSEEVENTF_LEFTUP) {
  InputMouseTo(x, y);
  ::Sleep(40);
  InputMouseButton(down);
  InputMouseButton(up);
}

inline void InputClickCentre(HWND wnd) {
  RECT r = RectOf(wnd);
  InputClick((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

inline void InputKey(WORD vk, std::vector<WORD> modifiers = {}) {
  auto send = [](WORD key, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = key;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &in, sizeof in);
  };
  for (WORD m : modifiers) send(m, false);
  send(vk, false);
  send(vk, true);
  for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) send(*it, true);
  ::Sleep(60);
}

// Runs driver(dialog) on a second thread once a window titled title shows, while show()
// runs on this thread (and shows the dialog modally). Returns show()'s result. found tells
// whether the dialog appeared at all.
template <typename Show>
auto WithDriver(const std::wstring& title, const std::function<void(HWND dialog, DWORD uiThread)>& driver,
                Show&& show, bool* found = nullptr) {
  DWORD uiThread = ::GetCurrentThreadId();
  bool appeared = false;
  std::thread thread([&] {
    HWND dialog = WaitForDialog(title);
    appeared = dialog != nullptr;
    if (!dialog) return;
    // The dialog is ready for keys once its first control holds the focus.
    WaitFor([&] { return FocusOf(uiThread) != nullptr; }, 3000);
    driver(dialog, uiThread);
    if (!WaitFor([&] { return !::IsWindowVisible(dialog); }, 3000)) ::PostMessageW(dialog, WM_CLOSE, 0, 0);
  });
  auto result = show();
  thread.join();
  if (found) *found = appeared;
  return result;
}

}  // namespace qs::test

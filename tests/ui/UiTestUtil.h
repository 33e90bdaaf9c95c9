// Helpers for the widget layer's tests under Wine: the application set up once, message
// pumping until something happened, real input (SendInput), and the pixels a window
// shows (GetDC + BitBlt, read back through a DIB section).
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/Application.h"
#include "ui/PixelBuffer.h"

namespace qs::test {

// Exceptions caught at callback boundaries during the tests.
inline std::vector<std::wstring>& CaughtExceptions() {
  static std::vector<std::wstring> caught;
  return caught;
}

inline void SetUpApplication() {
  Application.Initialize();
  Application.OnException = [](const std::wstring& text) { CaughtExceptions().push_back(text); };
}

// Handles messages until done() is true or ms passed; returns done().
inline bool PumpUntil(const std::function<bool()>& done, DWORD ms = 3000) {
  ULONGLONG end = ::GetTickCount64() + ms;
  while (!done()) {
    if (::GetTickCount64() > end) return false;
    Application.ProcessMessages();
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}

// Handles messages for a while (lets asynchronous input and painting arrive).
inline void Pump(DWORD ms) {
  PumpUntil([] { return false; }, ms);
}

inline void SendMouseMove(int x, int y) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = static_cast<LONG>((x * 65536LL + 65535) / ::GetSystemMetrics(SM_CXSCREEN));
  in.mi.dy = static_cast<LONG>((y * 65536LL + 65535) / ::GetSystemMetrics(SM_CYSCREEN));
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  ::SendInput(1, &in, sizeof in);
}

inline void SendMouseButton(DWORD flags) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flags;
  ::SendInput(1, &in, sizeof in);
}

// Moves the pointer to the screen point and waits until the cursor is there.
inline bool MoveMouseTo(int x, int y) {
  SendMouseMove(x, y);
  return PumpUntil([&] {
    POINT p{};
    ::GetCursorPos(&p);
    return p.x == x && p.y == y;
  });
}

inline void ClickAt(int x, int y, DWORD down = MOUSEEVENTF_LEFTDOWN, DWORD up = MOUSEEVENTF_LEFTUP) {
  MoveMouseTo(x, y);
  SendMouseButton(down);
  Pump(30);
  SendMouseButton(up);
  Pump(30);
}

inline void SendKey(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  ::SendInput(1, &in, sizeof in);
}

// Presses and releases a key, with modifiers held around it.
inline void TypeKey(WORD vk, std::vector<WORD> modifiers = {}) {
  for (WORD m : modifiers) SendKey(m, false);
  SendKey(vk, false);
  SendKey(vk, true);
  for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) SendKey(*it, true);
  Pump(50);
}

// What the window's client area shows now.
inline TPixelBuffer CaptureClient(HWND wnd) {
  RECT r{};
  ::GetClientRect(wnd, &r);
  TPixelBuffer out(r.right, r.bottom);
  if (out.Empty()) return out;
  HDC wdc = ::GetDC(wnd);
  HDC mdc = ::CreateCompatibleDC(wdc);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = out.Width;
  bi.bmiHeader.biHeight = -out.Height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bmp = ::CreateDIBSection(wdc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = ::SelectObject(mdc, bmp);
  ::BitBlt(mdc, 0, 0, out.Width, out.Height, wdc, 0, 0, SRCCOPY);
  ::GdiFlush();
  auto px = static_cast<const uint32_t*>(bits);
  for (size_t i = 0; i < out.Pixels.size(); ++i) out.Pixels[i] = px[i] | 0xFF000000u;
  ::SelectObject(mdc, old);
  ::DeleteObject(bmp);
  ::DeleteDC(mdc);
  ::ReleaseDC(wnd, wdc);
  return out;
}

// Paints pending updates and returns what the window shows.
inline TPixelBuffer Shown(HWND wnd) {
  ::UpdateWindow(wnd);
  Pump(20);
  return CaptureClient(wnd);
}

}  // namespace qs::test

#include <memory>

#include "ui/Form.h"

namespace qs::test {

// A white form at the given screen place, shown and painted.
inline std::unique_ptr<TForm> ShownForm(int x, int y, int w, int h) {
  auto form = MakeForm<TForm>();
  form->SetBounds(x, y, w, h);
  form->SetColor(clWhite);
  return form;
}

inline void ShowAndSettle(TForm& form) {
  form.Show();
  PumpUntil([&] { return ::IsWindowVisible(form.Handle()) != FALSE; });
  Pump(50);
}

// The colour at x, y with alpha forced to 255, as 0x00RRGGBB.
inline uint32_t Rgb24(const TPixelBuffer& b, int x, int y) { return b.At(x, y) & 0xFFFFFF; }

// Whether two opaque pixels differ by at most tolerance in every channel.
inline bool Near(uint32_t a, uint32_t b, int tolerance = 1) {
  for (int shift = 0; shift < 24; shift += 8) {
    int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
    if (d > tolerance || d < -tolerance) return false;
  }
  return true;
}

}  // namespace qs::test

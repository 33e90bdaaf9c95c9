// One owning-handle template for every kind of system handle, with one-line aliases.
// A handle is closed exactly once, by its owner, on every path.
#pragma once
#include <windows.h>
#include <cstdint>
#include <utility>

namespace qs {

// InvalidV is the handle value meaning "none": 0 for most kinds, -1 for files and finds.
template <typename T, auto Close, intptr_t InvalidV = 0>
class TUniqueHandle {
  static T Invalid() { return reinterpret_cast<T>(InvalidV); }

public:
  TUniqueHandle() = default;
  explicit TUniqueHandle(T h) : FHandle(h) {}
  TUniqueHandle(const TUniqueHandle&) = delete;
  TUniqueHandle& operator=(const TUniqueHandle&) = delete;
  TUniqueHandle(TUniqueHandle&& o) noexcept : FHandle(o.Release()) {}
  TUniqueHandle& operator=(TUniqueHandle&& o) noexcept {
    if (this != &o) Reset(o.Release());
    return *this;
  }
  ~TUniqueHandle() { Reset(); }

  T Get() const { return FHandle; }
  explicit operator bool() const { return FHandle != Invalid(); }
  T Release() { return std::exchange(FHandle, Invalid()); }
  void Reset(T h = Invalid()) {
    T old = std::exchange(FHandle, h);
    if (old != Invalid()) Close(old);
  }
  // For APIs that return the handle through an out pointer.
  T* Put() { Reset(); return &FHandle; }

private:
  T FHandle = Invalid();
};

namespace detail {
inline void CloseKernel(HANDLE h) { ::CloseHandle(h); }
inline void CloseFind(HANDLE h) { ::FindClose(h); }
inline void DeleteGdi(HGDIOBJ h) { ::DeleteObject(h); }
inline void DeleteMemDc(HDC h) { ::DeleteDC(h); }
inline void DestroyWnd(HWND h) { ::DestroyWindow(h); }
}  // namespace detail

using TKernelHandle = TUniqueHandle<HANDLE, detail::CloseKernel>;
using TFileHandle = TUniqueHandle<HANDLE, detail::CloseKernel, -1>;
using TFindHandle = TUniqueHandle<HANDLE, detail::CloseFind, -1>;
using TMemDc = TUniqueHandle<HDC, detail::DeleteMemDc>;
using TBitmapHandle = TUniqueHandle<HBITMAP, detail::DeleteGdi>;
using TBrushHandle = TUniqueHandle<HBRUSH, detail::DeleteGdi>;
using TFontHandle = TUniqueHandle<HFONT, detail::DeleteGdi>;
using TPenHandle = TUniqueHandle<HPEN, detail::DeleteGdi>;
using TRegionHandle = TUniqueHandle<HRGN, detail::DeleteGdi>;

// A window DC obtained with GetDC: released against the window it came from.
class TWindowDc {
public:
  explicit TWindowDc(HWND wnd) : FWnd(wnd), FDc(::GetDC(wnd)) {}
  ~TWindowDc() { if (FDc) ::ReleaseDC(FWnd, FDc); }
  TWindowDc(const TWindowDc&) = delete;
  TWindowDc& operator=(const TWindowDc&) = delete;
  HDC Get() const { return FDc; }
private:
  HWND FWnd;
  HDC FDc;
};

// BeginPaint/EndPaint pair; the PAINTSTRUCT travels with it.
class TPaintDc {
public:
  explicit TPaintDc(HWND wnd) : FWnd(wnd) { FDc = ::BeginPaint(wnd, &FPs); }
  ~TPaintDc() { ::EndPaint(FWnd, &FPs); }
  TPaintDc(const TPaintDc&) = delete;
  TPaintDc& operator=(const TPaintDc&) = delete;
  HDC Get() const { return FDc; }
  const RECT& Dirty() const { return FPs.rcPaint; }
private:
  HWND FWnd;
  PAINTSTRUCT FPs{};
  HDC FDc;
};

// Selects a GDI object into a DC and puts the previous one back.
class TSelectGuard {
public:
  TSelectGuard(HDC dc, HGDIOBJ obj) : FDc(dc), FOld(::SelectObject(dc, obj)) {}
  ~TSelectGuard() { ::SelectObject(FDc, FOld); }
  TSelectGuard(const TSelectGuard&) = delete;
  TSelectGuard& operator=(const TSelectGuard&) = delete;
private:
  HDC FDc;
  HGDIOBJ FOld;
};

}  // namespace qs

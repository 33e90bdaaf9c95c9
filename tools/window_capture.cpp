// qscapture: saves what a window shows to a PNG file, for tests and for looking at what
// the user sees under Wine (read with GetDC + BitBlt, which Wine supports; PrintWindow
// it does not).
//
//   qscapture "<window text>" out.png [wait-ms]
//
// Waits up to wait-ms (default 5000) for a visible top-level window with that text.
// Exit codes: 0 saved, 1 wrong arguments, 2 no such window, 3 capture or encoding failed.
#include <windows.h>
#include <wincodec.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

HWND WaitForWindow(const std::wstring& text, DWORD ms) {
  ULONGLONG end = ::GetTickCount64() + ms;
  for (;;) {
    HWND wnd = ::FindWindowW(nullptr, text.c_str());
    if (wnd && ::IsWindowVisible(wnd)) return wnd;
    if (::GetTickCount64() > end) return nullptr;
    ::Sleep(50);
  }
}

// The window's pixels, top-down BGRA with alpha 255.
bool Capture(HWND wnd, int& width, int& height, std::vector<uint32_t>& pixels) {
  RECT r{};
  ::GetWindowRect(wnd, &r);
  width = r.right - r.left;
  height = r.bottom - r.top;
  if (width <= 0 || height <= 0) return false;
  HDC wdc = ::GetWindowDC(wnd);
  HDC mdc = ::CreateCompatibleDC(wdc);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bmp = ::CreateDIBSection(wdc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool ok = bmp != nullptr;
  if (ok) {
    HGDIOBJ old = ::SelectObject(mdc, bmp);
    ok = ::BitBlt(mdc, 0, 0, width, height, wdc, 0, 0, SRCCOPY) != FALSE;
    ::GdiFlush();
    auto px = static_cast<const uint32_t*>(bits);
    pixels.assign(px, px + static_cast<size_t>(width) * height);
    for (auto& p : pixels) p |= 0xFF000000u;
    ::SelectObject(mdc, old);
    ::DeleteObject(bmp);
  }
  ::DeleteDC(mdc);
  ::ReleaseDC(wnd, wdc);
  return ok;
}

bool SavePng(const std::wstring& path, int width, int height, std::vector<uint32_t>& pixels) {
  IWICImagingFactory* factory = nullptr;
  IWICStream* stream = nullptr;
  IWICBitmapEncoder* encoder = nullptr;
  IWICBitmapFrameEncode* frame = nullptr;
  WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
  bool ok = SUCCEEDED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                         IID_IWICImagingFactory, reinterpret_cast<void**>(&factory))) &&
            SUCCEEDED(factory->CreateStream(&stream)) &&
            SUCCEEDED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)) &&
            SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) &&
            SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) &&
            SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr)) && SUCCEEDED(frame->Initialize(nullptr)) &&
            SUCCEEDED(frame->SetSize(static_cast<UINT>(width), static_cast<UINT>(height))) &&
            SUCCEEDED(frame->SetPixelFormat(&format)) && format == GUID_WICPixelFormat32bppBGRA &&
            SUCCEEDED(frame->WritePixels(static_cast<UINT>(height), static_cast<UINT>(width) * 4,
                                         static_cast<UINT>(pixels.size() * 4),
                                         reinterpret_cast<BYTE*>(pixels.data()))) &&
            SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
  if (frame) frame->Release();
  if (encoder) encoder->Release();
  if (stream) stream->Release();
  if (factory) factory->Release();
  return ok;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fputs("usage: qscapture \"<window text>\" out.png [wait-ms]\n", stderr);
    return 1;
  }
  DWORD wait = argc > 3 ? static_cast<DWORD>(std::wcstoul(argv[3], nullptr, 10)) : 5000;
  HWND wnd = WaitForWindow(argv[1], wait);
  if (!wnd) {
    std::fputs("no visible window with that text\n", stderr);
    return 2;
  }
  ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;
  // Let the window finish painting what it is showing.
  ::RedrawWindow(wnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  if (!Capture(wnd, width, height, pixels) || !SavePng(argv[2], width, height, pixels)) {
    std::fputs("capture failed\n", stderr);
    return 3;
  }
  std::printf("%dx%d\n", width, height);
  return 0;
}

// TPNGObject's Windows side: decoding with Windows Imaging Component, and drawing.
#include <windows.h>
#include <wincodec.h>

#include "ui/Bitmap.h"
#include "ui/Canvas.h"
#include "ui/PngObject.h"

namespace qs {
namespace {

template <typename T>
class TComPtr {
public:
  TComPtr() = default;
  TComPtr(const TComPtr&) = delete;
  TComPtr& operator=(const TComPtr&) = delete;
  ~TComPtr() { if (FP) FP->Release(); }
  T** Put() { return &FP; }
  void** PutVoid() { return reinterpret_cast<void**>(&FP); }
  T* Get() const { return FP; }
  T* operator->() const { return FP; }

private:
  T* FP = nullptr;
};

// WIC needs COM on the calling thread; pictures may be loaded before the application
// object initialised it (tests, tools). It stays initialised for the thread's lifetime.
void EnsureCom() {
  static thread_local HRESULT done = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  (void)done;
}

}  // namespace

bool TPNGObject::LoadFromBytes(const void* data, size_t size) {
  int colorType = PngColorType(data, size);
  if (colorType < 0) return false;
  EnsureCom();
  TComPtr<IWICImagingFactory> factory;
  TComPtr<IWICStream> stream;
  TComPtr<IWICBitmapDecoder> decoder;
  TComPtr<IWICBitmapFrameDecode> frame;
  TComPtr<IWICFormatConverter> converter;
  UINT w = 0, h = 0;
  // Straight (not premultiplied) BGRA: the picture keeps the file's colours, so alpha can
  // be changed later without losing them.
  if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                factory.PutVoid())) ||
      FAILED(factory->CreateStream(stream.Put())) ||
      FAILED(stream->InitializeFromMemory(static_cast<BYTE*>(const_cast<void*>(data)), static_cast<DWORD>(size))) ||
      FAILED(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand, decoder.Put())) ||
      FAILED(decoder->GetFrame(0, frame.Put())) || FAILED(factory->CreateFormatConverter(converter.Put())) ||
      FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0,
                                   WICBitmapPaletteTypeCustom)) ||
      FAILED(converter->GetSize(&w, &h)) || w == 0 || h == 0)
    return false;
  std::vector<uint32_t> pixels(static_cast<size_t>(w) * h);
  if (FAILED(converter->CopyPixels(nullptr, w * 4, static_cast<UINT>(pixels.size() * 4),
                                   reinterpret_cast<BYTE*>(pixels.data()))))
    return false;
  FWidth = static_cast<int>(w);
  FHeight = static_cast<int>(h);
  FColorType = static_cast<uint8_t>(colorType);
  FColors.resize(pixels.size());
  FAlpha.resize(pixels.size());
  for (size_t i = 0; i < pixels.size(); ++i) {
    FColors[i] = pixels[i] & 0xFFFFFF;
    FAlpha[i] = static_cast<uint8_t>(pixels[i] >> 24);
  }
  Changed();
  return true;
}

bool TPNGObject::LoadFromResource(int id) {
  HMODULE module = ::GetModuleHandleW(nullptr);
  HRSRC res = ::FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10));  // RT_RCDATA
  if (!res) return false;
  HGLOBAL loaded = ::LoadResource(module, res);
  const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
  return bytes && LoadFromBytes(bytes, ::SizeofResource(module, res));
}

void TPNGObject::Draw(TCanvas& canvas, const TRect& dest) const {
  if (Empty()) return;
  canvas.DrawPixels(dest, ToPixelBuffer());
}

void TPNGObject::AssignTo(TBitmap& bitmap) const {
  bitmap.SetPixelFormat(pf24bit);
  TPixelBuffer colours(FWidth, FHeight);
  for (size_t i = 0; i < colours.Pixels.size(); ++i) colours.Pixels[i] = 0xFF000000u | FColors[i];
  bitmap.Assign(colours);
}

}  // namespace qs

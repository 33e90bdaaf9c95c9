#include "app/PngResource.h"

#include <windows.h>
#include <wincodec.h>

namespace qs {
namespace {

template <typename T>
struct TComPtr {
  T* P = nullptr;
  ~TComPtr() { if (P) P->Release(); }
  T** operator&() { return &P; }
  T* operator->() const { return P; }
};

}  // namespace

TSkinPicture LoadPngResource(int id) {
  TSkinPicture pic;
  HMODULE module = ::GetModuleHandleW(nullptr);
  HRSRC res = ::FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10));  // RT_RCDATA
  if (!res) return pic;
  auto bytes = static_cast<BYTE*>(::LockResource(::LoadResource(module, res)));
  DWORD size = ::SizeofResource(module, res);
  // COM stays initialised for the thread's lifetime: pictures are loaded while windows live.
  static const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  (void)com;
  TComPtr<IWICImagingFactory> factory;
  TComPtr<IWICStream> stream;
  TComPtr<IWICBitmapDecoder> decoder;
  TComPtr<IWICBitmapFrameDecode> frame;
  TComPtr<IWICFormatConverter> converter;
  UINT w = 0, h = 0;
  if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(&factory))) ||
      FAILED(factory->CreateStream(&stream)) || FAILED(stream->InitializeFromMemory(bytes, size)) ||
      FAILED(factory->CreateDecoderFromStream(stream.P, nullptr, WICDecodeMetadataCacheOnDemand, &decoder)) ||
      FAILED(decoder->GetFrame(0, &frame)) || FAILED(factory->CreateFormatConverter(&converter)) ||
      FAILED(converter->Initialize(frame.P, GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr, 0,
                                   WICBitmapPaletteTypeCustom)) ||
      FAILED(converter->GetSize(&w, &h)))
    return pic;
  std::vector<uint32_t> pixels(static_cast<size_t>(w) * h);
  if (FAILED(converter->CopyPixels(nullptr, w * 4, static_cast<UINT>(pixels.size() * 4),
                                   reinterpret_cast<BYTE*>(pixels.data()))))
    return pic;
  pic.Width = static_cast<int>(w);
  pic.Height = static_cast<int>(h);
  pic.Pixels = std::move(pixels);
  return pic;
}

}  // namespace qs

// The pictures as the shipped program carries them: every one is a resource of
// Quillsend.exe, decodes as a PNG to the size it was drawn for, and the pictures that the
// windows key out by colour or draw unblended are opaque on the right colour. The
// application icon holds its four sizes.
#include <gtest/gtest.h>

#include <windows.h>
#include <wincodec.h>

#include <string>
#include <vector>

#include "assets/AssetIds.h"
#include "tests/support/WinTestUtil.h"

using namespace qs;
using namespace qs::test;

namespace {

// Quillsend.exe loaded as data, so its resources can be read without running it.
class TProductResources {
public:
  TProductResources() : FModule(::LoadLibraryExW((BinDir() + L"Quillsend.exe").c_str(), nullptr,
                                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
  ~TProductResources() { if (FModule) ::FreeLibrary(FModule); }
  HMODULE Module() const { return FModule; }

  std::string Bytes(int id, LPCWSTR type) const {
    HRSRC res = ::FindResourceW(FModule, MAKEINTRESOURCEW(id), type);
    if (!res) return {};
    HGLOBAL data = ::LoadResource(FModule, res);
    return std::string(static_cast<const char*>(::LockResource(data)), ::SizeofResource(FModule, res));
  }

private:
  HMODULE FModule;
};

struct TDecoded {
  UINT Width = 0, Height = 0;
  std::vector<BYTE> Pixels;  // 32bppPBGRA, as the windows use them
  const BYTE* At(UINT x, UINT y) const { return &Pixels[(y * Width + x) * 4]; }
};

// Decodes PNG bytes with WIC; an empty result when that fails.
TDecoded DecodePng(const std::string& bytes) {
  TDecoded out;
  IWICImagingFactory* factory = nullptr;
  IWICStream* stream = nullptr;
  IWICBitmapDecoder* decoder = nullptr;
  IWICBitmapFrameDecode* frame = nullptr;
  IWICFormatConverter* converter = nullptr;
  GUID format{};
  bool ok = SUCCEEDED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                         IID_PPV_ARGS(&factory))) &&
            SUCCEEDED(factory->CreateStream(&stream)) &&
            SUCCEEDED(stream->InitializeFromMemory(reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data())),
                                                   static_cast<DWORD>(bytes.size()))) &&
            SUCCEEDED(factory->CreateDecoderFromStream(stream, nullptr, WICDecodeMetadataCacheOnDemand, &decoder)) &&
            SUCCEEDED(decoder->GetContainerFormat(&format)) && format == GUID_ContainerFormatPng &&
            SUCCEEDED(decoder->GetFrame(0, &frame)) && SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
            SUCCEEDED(converter->Initialize(frame, GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr,
                                            0, WICBitmapPaletteTypeCustom)) &&
            SUCCEEDED(converter->GetSize(&out.Width, &out.Height));
  if (ok) {
    out.Pixels.resize(size_t(out.Width) * out.Height * 4);
    ok = SUCCEEDED(converter->CopyPixels(nullptr, out.Width * 4, static_cast<UINT>(out.Pixels.size()),
                                         out.Pixels.data()));
  }
  for (IUnknown* p : {static_cast<IUnknown*>(converter), static_cast<IUnknown*>(frame),
                      static_cast<IUnknown*>(decoder), static_cast<IUnknown*>(stream),
                      static_cast<IUnknown*>(factory)})
    if (p) p->Release();
  return ok ? out : TDecoded{};
}

class Assets : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))); }
  void TearDown() override { ::CoUninitialize(); }
  TDecoded Picture(int id) { return DecodePng(FProduct.Bytes(id, RT_RCDATA)); }
  TProductResources FProduct;
};

bool AllOpaque(const TDecoded& pic) {
  for (size_t i = 3; i < pic.Pixels.size(); i += 4)
    if (pic.Pixels[i] != 255) return false;
  return true;
}

std::string Bgra(const BYTE* p) {
  char s[16];
  wsprintfA(s, "%02X%02X%02X/%02X", p[2], p[1], p[0], p[3]);
  return s;
}

}  // namespace

TEST_F(Assets, EveryPictureIsAPngResourceOfTheProductAtItsDrawnSize) {
  ASSERT_TRUE(FProduct.Module());
  for (const TAssetInfo& a : kAssets) {
    SCOPED_TRACE(a.File);
    TDecoded pic = Picture(a.Id);
    EXPECT_EQ(pic.Width, UINT(a.Width));
    EXPECT_EQ(pic.Height, UINT(a.Height));
  }
}

TEST_F(Assets, ThePicturesThatFillOrKeyOutAreOpaque) {
  // The banner and the bars are drawn edge to edge; the dialog's icons and close square
  // are keyed out by the colour of their bottom-left pixel, which must be exact.
  for (int id : {kAssetBanner, kAssetTitleBar, kAssetDlgButtonBar, kAssetDlgFrame, kAssetDlgInfo, kAssetDlgWarning,
                 kAssetDlgError, kAssetDlgConfirm, kAssetDlgClose}) {
    SCOPED_TRACE(id);
    TDecoded pic = Picture(id);
    ASSERT_GT(pic.Width, 0u);
    EXPECT_TRUE(AllOpaque(pic));
  }
  for (int id : {kAssetDlgInfo, kAssetDlgWarning, kAssetDlgError, kAssetDlgConfirm}) {
    TDecoded pic = Picture(id);
    EXPECT_EQ(Bgra(pic.At(0, pic.Height - 1)), "FFFFFF/FF") << id << ": icons stand on white";
  }
  TDecoded close = Picture(kAssetDlgClose);
  EXPECT_EQ(Bgra(close.At(0, close.Height - 1)), "DA3610/FF") << "the close square's orange-red";
  // Only two colours, so nothing of the square is left around the cross once it is keyed out.
  for (UINT y = 0; y < close.Height; ++y)
    for (UINT x = 0; x < close.Width; ++x) {
      std::string c = Bgra(close.At(x, y));
      ASSERT_TRUE(c == "DA3610/FF" || c == "FFFFFF/FF") << x << "," << y << " " << c;
    }
}

TEST_F(Assets, TitleGlyphsAreWhiteOnClearAndTheHoverPicturesShowABackground) {
  for (int id : {kAssetMinimise, kAssetClose}) {
    TDecoded pic = Picture(id);
    ASSERT_EQ(pic.Width, 30u);
    EXPECT_EQ(pic.At(0, 0)[3], 0) << id << ": the banner shows around the glyph";
    EXPECT_EQ(Bgra(pic.At(14, 13)), "FFFFFF/FF") << id << ": a white glyph in the middle";
  }
  for (int id : {kAssetMinimiseHover, kAssetCloseHover}) {
    TDecoded pic = Picture(id);
    ASSERT_EQ(pic.Width, 30u);
    EXPECT_GT(pic.At(0, 0)[3], 0) << id;
  }
}

TEST_F(Assets, TheApplicationIconHoldsItsFourSizes) {
  std::string group = FProduct.Bytes(kAppIcon, RT_GROUP_ICON);
  ASSERT_GE(group.size(), 6u);
  auto bytes = reinterpret_cast<PBYTE>(group.data());
  for (int size : {16, 32, 48, 256}) {
    int id = ::LookupIconIdFromDirectoryEx(bytes, TRUE, size, size, LR_DEFAULTCOLOR);
    ASSERT_NE(id, 0) << size;
    std::string icon = FProduct.Bytes(id, RT_ICON);
    HICON h = ::CreateIconFromResourceEx(reinterpret_cast<PBYTE>(icon.data()), static_cast<DWORD>(icon.size()),
                                         TRUE, 0x00030000, size, size, LR_DEFAULTCOLOR);
    ASSERT_TRUE(h) << size;
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(h, &info));
    BITMAP bm{};
    ::GetObjectW(info.hbmColor, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, size);
    EXPECT_EQ(bm.bmHeight, size);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    ::DestroyIcon(h);
  }
}

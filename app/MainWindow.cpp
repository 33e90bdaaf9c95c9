#include "app/MainWindow.h"

#include <shlobj.h>
#include <algorithm>
#include <windowsx.h>

#include "app/PngResource.h"
#include "assets/AssetIds.h"
#include "base/Paths.h"

namespace qs {
namespace {

const wchar_t kClassName[] = L"Tfrm_Main";
const int kWidth = 620, kHeight = 416;
// The pages fill the page control under the banner; their panels sit inside its frame.
const int kPageLeft = 4, kPageTop = 245;
const uint32_t kWhite = 0xFFFFFFFF;

// The face a Chinese desktop shows for "微软雅黑", or the closest installed one.
std::wstring ResolveFace(const wchar_t* wanted) {
  HDC dc = ::GetDC(nullptr);
  auto exists = [dc](const wchar_t* face) {
    LOGFONTW lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
    bool found = false;
    ::EnumFontFamiliesExW(dc, &lf, [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM p) -> int {
      *reinterpret_cast<bool*>(p) = true;
      return 0;
    }, reinterpret_cast<LPARAM>(&found), 0);
    return found;
  };
  std::wstring face = wanted;
  for (const wchar_t* candidate : {wanted, L"Noto Sans CJK SC", L"SimSun", L"Tahoma"}) {
    if (exists(candidate)) {
      face = candidate;
      break;
    }
  }
  ::ReleaseDC(nullptr, dc);
  return face;
}

HFONT MakeFont(const wchar_t* face, int pixelHeight) {
  return ::CreateFontW(-pixelHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, ResolveFace(face).c_str());
}

}  // namespace

struct Tfrm_Main::TPictures {
  TSkinPicture Banner = LoadPngResource(kAssetBanner);
  TSkinPicture Minimise = LoadPngResource(kAssetMinimise);
  TSkinPicture MinimiseHover = LoadPngResource(kAssetMinimiseHover);
  TSkinPicture Close = LoadPngResource(kAssetClose);
  TSkinPicture CloseHover = LoadPngResource(kAssetCloseHover);
  TSkinPicture DownloadNow = LoadPngResource(kAssetDownloadNow);
  TSkinPicture DownloadFolder = LoadPngResource(kAssetDownloadFolder);
  TSkinPicture Install = LoadPngResource(kAssetInstallNow);
  TSkinPicture Change = LoadPngResource(kAssetChangeFolder);
  TSkinPicture Track = LoadPngResource(kAssetProgressTrack);
  TSkinPicture Fill = LoadPngResource(kAssetProgressFill);
  TSkinPicture Arrow = LoadPngResource(kAssetGreyArrow);
};

// The window as designed: each element with its page (pgStart..pgProgress, or -1 for the
// banner area), its rectangle in window coordinates, and whether the layout shows it.
struct Tfrm_Main::TItem {
  TElement Element;
  int Page;
  RECT Bounds;
  bool Designed;  // false: part of the window, kept hidden by the layout
  bool Hand;
};

namespace {
RECT OnPage(int x, int y, int w, int h) { return {kPageLeft + x, kPageTop + y, kPageLeft + x + w, kPageTop + y + h}; }
}


const Tfrm_Main::TItem* Tfrm_Main::Find(TElement el) const {
  static const TItem kItems[] = {
      // The title buttons are right-aligned in their corner panel (539, 0, 81 x 27); with the
      // close button hidden, the minimise button takes the right-most place.
      {elMinimise, -1, {590, 0, 620, 27}, true, true},
      {elClose, -1, {590, 0, 620, 27}, false, true},
      {elBanner, -1, {0, 0, 620, 241}, true, false},
      {elDownloadNow, pgStart, OnPage(199, 42, 215, 57), true, true},
      {elLineDX, pgStart, OnPage(6 + 6, 103 + 24, 49, 17), true, false},
      {elLineLT, pgStart, OnPage(6 + 54, 103 + 24, 49, 17), true, false},
      {elCustom, pgStart, OnPage(512, 127, 60, 17), false, true},
      {elChangeDir, pgFolder, OnPage(482, 26, 70, 26), true, true},
      {elDownload, pgFolder, OnPage(208, 90, 196, 50), true, true},
      {elBack, pgFolder, OnPage(543, 122, 46, 19), true, true},
      {elInstall, pgProgress, OnPage(209, 81, 194, 48), true, true},
  };
  for (const auto& item : kItems)
    if (item.Element == el) return &item;
  return nullptr;
}

bool Tfrm_Main::Showing(const TItem& item) const {
  if (item.Element == elInstall) return FPage == pgProgress && FInstallVisible;
  return item.Designed && (item.Page < 0 || item.Page == FPage);
}

Tfrm_Main::TElement Tfrm_Main::ElementAt(POINT pt) const {
  // Top-most first: the corner panel lies over the banner.
  static const TElement kOrder[] = {elMinimise, elClose, elDownloadNow, elLineDX, elLineLT, elCustom,
                                     elChangeDir, elDownload, elBack, elInstall, elBanner};
  for (TElement el : kOrder) {
    const TItem* item = Find(el);
    if (el == elBanner && PtInRect(&item->Bounds, pt)) {
      RECT corner{539, 0, 620, 27};  // the corner panel does not drag
      return PtInRect(&corner, pt) ? elNone : elBanner;
    }
    if (Showing(*item) && PtInRect(&item->Bounds, pt)) return el;
  }
  return elNone;
}

Tfrm_Main::Tfrm_Main()
    : FHost([this] { return FHandle; }, [this] { if (FHandle) ::PostMessageW(FHandle, WM_CLOSE, 0, 0); }),
      FController(*this, FHost) {}

Tfrm_Main::~Tfrm_Main() {
  if (FHandle) ::DestroyWindow(FHandle);
}

bool Tfrm_Main::Create() {
  HINSTANCE inst = ::GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = WndProc;
  wc.hInstance = inst;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hIcon = ::LoadIconW(inst, MAKEINTRESOURCEW(kAppIcon));
  wc.lpszClassName = kClassName;
  ::RegisterClassExW(&wc);
  // Borderless; the window text is the application title, the taskbar button's text.
  FHandle = ::CreateWindowExW(WS_EX_APPWINDOW, kClassName, L"Velmora", WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX,
                              428, 161, kWidth, kHeight, nullptr, nullptr, inst, this);
  return FHandle != nullptr;
}

void Tfrm_Main::Show() {
  ::ShowWindow(FHandle, SW_SHOWNORMAL);
  ::UpdateWindow(FHandle);
  if (!FShown) {
    FShown = true;
    FormShow();
  }
}

LRESULT CALLBACK Tfrm_Main::WndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto self = static_cast<Tfrm_Main*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    self->FHandle = wnd;
    ::SetWindowLongPtrW(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto self = reinterpret_cast<Tfrm_Main*>(::GetWindowLongPtrW(wnd, GWLP_USERDATA));
  if (!self) return ::DefWindowProcW(wnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    ::SetWindowLongPtrW(wnd, GWLP_USERDATA, 0);
    self->FHandle = nullptr;
    return ::DefWindowProcW(wnd, msg, wp, lp);
  }
  // No exception crosses into the system's code: it is reported and the loop goes on.
  try {
    return self->HandleMessage(msg, wp, lp);
  } catch (const std::exception& e) {
    ::OutputDebugStringA(e.what());
  } catch (...) {
    ::OutputDebugStringW(L"[Tfrm_Main] unhandled exception in a window message");
  }
  return 0;
}

LRESULT Tfrm_Main::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  switch (msg) {
    case WM_CREATE:
      FormCreate();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      TPaintDc paint(FHandle);
      Paint(paint.Get());
      return 0;
    }
    case WM_SETCURSOR:
      if (LOWORD(lp) == HTCLIENT) {
        POINT cur;
        ::GetCursorPos(&cur);
        ::ScreenToClient(FHandle, &cur);
        const TItem* item = Find(ElementAt(cur));
        ::SetCursor(::LoadCursorW(nullptr, item && item->Hand ? IDC_HAND : IDC_ARROW));
        return TRUE;
      }
      break;
    case WM_MOUSEMOVE:
      SetHover(ElementAt(pt));
      return 0;
    case WM_MOUSELEAVE:
      SetHover(elNone);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      TElement el = ElementAt(pt);
      if (el == elBanner) {
        // Any button on the banner moves the window with the system's move loop.
        ::ReleaseCapture();
        ::SendMessageW(FHandle, WM_SYSCOMMAND, 0xF012, 0);
        return 0;
      }
      if ((msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) && el != elNone) {
        FPressed = el;
        ::SetCapture(FHandle);
      }
      return 0;
    }
    case WM_LBUTTONUP: {
      TElement pressed = FPressed;
      FPressed = elNone;
      ::ReleaseCapture();
      if (pressed != elNone && ElementAt(pt) == pressed) Click(pressed);
      return 0;
    }
    case WM_COMMAND:
      if (reinterpret_cast<HWND>(lp) == FEdit && HIWORD(wp) == EN_KILLFOCUS) FController.SetSaveFolder(FolderText());
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
      ::SetTextColor(reinterpret_cast<HDC>(wp), RGB(128, 128, 128));
      ::SetBkColor(reinterpret_cast<HDC>(wp), RGB(255, 255, 255));
      return reinterpret_cast<LRESULT>(::GetStockObject(WHITE_BRUSH));
    case WM_CLOSE:
      if (!FController.CloseQuery()) return 0;
      ::DestroyWindow(FHandle);
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
  }
  return ::DefWindowProcW(FHandle, msg, wp, lp);
}

void Tfrm_Main::FormCreate() {
  FPictures = std::make_unique<TPictures>();
  FLabelFont.Reset(MakeFont(L"微软雅黑", 13));
  FSmallFont.Reset(MakeFont(L"MS Sans Serif", 12));

  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = kWidth;
  bi.bmiHeader.biHeight = -kHeight;  // top-down
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  FBackBitmap.Reset(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  FBackDc.Reset(::CreateCompatibleDC(nullptr));
  ::SelectObject(FBackDc.Get(), FBackBitmap.Get());
  FSurface = {static_cast<uint32_t*>(bits), kWidth, kHeight};

  RECT e = OnPage(111, 27, 362, 23);
  FEdit = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | ES_READONLY | ES_AUTOHSCROLL, e.left + 1, e.top + 4,
                            e.right - e.left - 2, e.bottom - e.top - 6, FHandle, nullptr, ::GetModuleHandleW(nullptr),
                            nullptr);
  ::SendMessageW(FEdit, WM_SETFONT, reinterpret_cast<WPARAM>(FSmallFont.Get()), FALSE);

  FController.ResetDownload();
  SetActivePage(pgStart);
}

void Tfrm_Main::FormShow() {
  std::wstring folder = ExeDir() + L"Velmora\\";
  if (!DirectoryExists(folder)) ForceDirectories(folder);  // a failure shows later, as a failed download
  FController.SetSaveFolder(folder);
}

void Tfrm_Main::SetActivePage(TWorkflowPage page) {
  FPage = page;
  if (page == pgFolder) ::SetWindowTextW(FEdit, FController.SaveFolder().c_str());  // the page's show handler
  ::ShowWindow(FEdit, page == pgFolder ? SW_SHOW : SW_HIDE);
  Invalidate();
}

std::wstring Tfrm_Main::FolderText() const {
  wchar_t buf[MAX_PATH * 2] = {};
  ::GetWindowTextW(FEdit, buf, MAX_PATH * 2);
  return buf;
}

void Tfrm_Main::SetProgressCaption(const std::wstring& text) {
  FProgressCaption = text;
  Invalidate();
}

int Tfrm_Main::TrackWidth() const { return 551; }

void Tfrm_Main::SetFillWidth(int width) {
  FFillWidth = width;
  Invalidate();
}

void Tfrm_Main::ShowInstall() {
  FInstallVisible = true;
  Invalidate();
}

void Tfrm_Main::SetHover(TElement el) {
  if (el == FHover) return;
  if (FHover == elNone) {
    TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, FHandle, 0};
    ::TrackMouseEvent(&tme);
  }
  bool repaint = el == elMinimise || FHover == elMinimise;
  FHover = el;
  if (repaint) Invalidate();
}

void Tfrm_Main::Click(TElement el) {
  switch (el) {
    case elMinimise: ::ShowWindow(FHandle, SW_MINIMIZE); break;
    case elClose: FController.CloseClick(); break;
    case elDownloadNow:
    case elDownload: FController.StartDownload(); break;
    case elLineDX: FLine = 0; Invalidate(); break;
    case elLineLT: FLine = 1; Invalidate(); break;
    case elCustom: SetActivePage(pgFolder); break;
    case elChangeDir: btnDirClick(); break;
    case elBack: SetActivePage(pgStart); break;
    case elInstall: FController.InstallClick(); break;
    default: break;
  }
}

void Tfrm_Main::btnDirClick() {
  BROWSEINFOW bi{};
  bi.hwndOwner = FHandle;
  bi.lpszTitle = L"请选择目录";
  bi.ulFlags = BIF_RETURNONLYFSDIRS;
  PIDLIST_ABSOLUTE pidl = ::SHBrowseForFolderW(&bi);
  if (!pidl) return;
  wchar_t path[MAX_PATH] = {};
  bool ok = ::SHGetPathFromIDListW(pidl, path);
  ::CoTaskMemFree(pidl);
  if (!ok) return;
  ::SetWindowTextW(FEdit, IncludeTrailingBackslash(path).c_str());
  FController.SetSaveFolder(FolderText());
}

void Tfrm_Main::Compose() {
  TPictures& p = *FPictures;
  FillRect(FSurface, 0, 0, kWidth, kHeight, kWhite);
  DrawPicture(FSurface, p.Banner, 0, 0);
  DrawPicture(FSurface, FHover == elMinimise ? p.MinimiseHover : p.Minimise, 590, 0);
  auto at = [this](TElement el) { return Find(el)->Bounds; };
  switch (FPage) {
    case pgStart: {
      RECT r = at(elDownloadNow);
      DrawPicture(FSurface, p.DownloadNow, r.left, r.top);
      break;
    }
    case pgFolder: {
      RECT r = at(elChangeDir);
      DrawPicture(FSurface, p.Change, r.left, r.top);
      r = at(elDownload);
      DrawPicture(FSurface, p.DownloadFolder, r.left, r.top);
      RECT e = OnPage(111, 27, 362, 23);  // the edit's frame in the button-shadow colour
      uint32_t frame = 0xFFA0A0A0;
      FillRect(FSurface, e.left, e.top, e.right - e.left, 1, frame);
      FillRect(FSurface, e.left, e.bottom - 1, e.right - e.left, 1, frame);
      FillRect(FSurface, e.left, e.top, 1, e.bottom - e.top, frame);
      FillRect(FSurface, e.right - 1, e.top, 1, e.bottom - e.top, frame);
      break;
    }
    case pgProgress: {
      RECT track = OnPage(21 + 10, 38 + 6, 551, 19);
      StretchPicture(FSurface, p.Track, track.left, track.top, 551, 19);
      // The fill shows the picture's left part, cut to its width (which may pass the track).
      DrawPicture(FSurface, p.Fill, track.left, track.top, std::max(FFillWidth, 0));
      if (FInstallVisible) {
        RECT r = at(elInstall);
        DrawPicture(FSurface, p.Install, r.left, r.top);
      }
      break;
    }
  }
}

void Tfrm_Main::Paint(HDC dc) {
  if (!FPictures) return;
  Compose();
  HDC back = FBackDc.Get();
  ::GdiFlush();
  ::SetBkMode(back, TRANSPARENT);
  auto text = [back](HFONT font, COLORREF colour, RECT r, const std::wstring& s, UINT format) {
    TSelectGuard keep(back, font);
    ::SetTextColor(back, colour);
    ::DrawTextW(back, s.c_str(), static_cast<int>(s.size()), &r, format | DT_NOPREFIX | DT_SINGLELINE);
  };
  switch (FPage) {
    case pgStart: {
      // The line buttons: caption left of the mark, navy check point.
      for (int i = 0; i < 2; ++i) {
        RECT r = Find(i == 0 ? elLineDX : elLineLT)->Bounds;
        text(FSmallFont.Get(), RGB(0, 0, 0), {r.left, r.top, r.right - 16, r.bottom}, i == 0 ? L"电信" : L"联通",
             DT_VCENTER | DT_RIGHT);
        int cx = r.right - 8, cy = (r.top + r.bottom) / 2;
        TPenHandle pen(::CreatePen(PS_SOLID, 1, RGB(120, 130, 145)));
        TSelectGuard keepPen(back, pen.Get());
        TSelectGuard keepBrush(back, ::GetStockObject(WHITE_BRUSH));
        ::Ellipse(back, cx - 6, cy - 6, cx + 7, cy + 7);
        if (FLine == i) {
          TBrushHandle navy(::CreateSolidBrush(RGB(0, 0, 128)));
          TSelectGuard keepNavy(back, navy.Get());
          TSelectGuard noPen(back, ::GetStockObject(NULL_PEN));
          ::Ellipse(back, cx - 3, cy - 3, cx + 5, cy + 5);
        }
      }
      break;
    }
    case pgFolder:
      text(FLabelFont.Get(), RGB(0, 0, 0), OnPage(43, 29, 80, 19), L"保存路径：", DT_VCENTER | DT_LEFT);
      text(FLabelFont.Get(), RGB(0x48, 0x7C, 0xB5), OnPage(543, 122, 60, 19), L"<<返回", DT_VCENTER | DT_LEFT);
      break;
    case pgProgress:
      text(FLabelFont.Get(), RGB(0, 0, 0), OnPage(32, 18, 300, 19), FProgressCaption, DT_VCENTER | DT_LEFT);
      break;
  }
  ::BitBlt(dc, 0, 0, kWidth, kHeight, back, 0, 0, SRCCOPY);
}

}  // namespace qs

#include "app/MainWindow.h"

#include "base/Paths.h"

namespace qs {
namespace {

enum : int { idDownload = 101, idLineDX, idLineLT, idProgress, idTrack, idFill, idInstall };
const wchar_t kClassName[] = L"Tfrm_Main";

HWND MakeChild(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int id, int x, int y, int w, int h) {
  HWND child = ::CreateWindowExW(0, cls, text, WS_CHILD | style, x, y, w, h, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr), nullptr);
  ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return child;
}

}  // namespace

Tfrm_Main::Tfrm_Main()
    : FHost([this] { return FHandle; }, [this] { if (FHandle) ::PostMessageW(FHandle, WM_CLOSE, 0, 0); }),
      FController(*this, FHost) {}

Tfrm_Main::~Tfrm_Main() {
  if (FHandle) ::DestroyWindow(FHandle);
}

bool Tfrm_Main::Create() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = WndProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = kClassName;
  ::RegisterClassExW(&wc);
  // The window text is the application title, the taskbar button's text.
  FHandle = ::CreateWindowExW(WS_EX_APPWINDOW, kClassName, L"Velmora", WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX,
                              428, 161, 620, 416, nullptr, nullptr, wc.hInstance, this);
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
  try {
    return self->HandleMessage(msg, wp, lp);
  } catch (...) {
    ::OutputDebugStringW(L"[Tfrm_Main] unhandled exception in a window message");
    return 0;
  }
}

LRESULT Tfrm_Main::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE:
      FormCreate();
      return 0;
    case WM_COMMAND:
      switch (LOWORD(wp)) {
        case idDownload: FController.StartDownload(); return 0;
        case idInstall: FController.InstallClick(); return 0;
      }
      break;
    case WM_LBUTTONDOWN:
      ::ReleaseCapture();
      ::SendMessageW(FHandle, WM_SYSCOMMAND, 0xF012, 0);
      return 0;
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
  MakeChild(FHandle, L"BUTTON", L"立即下载", WS_VISIBLE | BS_PUSHBUTTON, idDownload, 199, 283, 215, 57);
  MakeChild(FHandle, L"BUTTON", L"电信", WS_VISIBLE | BS_AUTORADIOBUTTON | WS_GROUP, idLineDX, 12, 368, 60, 17);
  MakeChild(FHandle, L"BUTTON", L"联通", WS_VISIBLE | BS_AUTORADIOBUTTON, idLineLT, 72, 368, 60, 17);
  ::SendMessageW(Item(idLineDX), BM_SETCHECK, BST_CHECKED, 0);
  MakeChild(FHandle, L"STATIC", L"正在下载（0%）", 0, idProgress, 32, 259, 200, 19);
  MakeChild(FHandle, L"STATIC", L"", SS_GRAYRECT, idTrack, 31, 285, kTrackWidth, 19);
  MakeChild(FHandle, L"STATIC", L"", SS_BLACKRECT, idFill, 31, 285, 0, 19);
  MakeChild(FHandle, L"BUTTON", L"立即安装", BS_PUSHBUTTON, idInstall, 209, 322, 194, 48);
  FController.ResetDownload();
  SetActivePage(pgStart);
}

void Tfrm_Main::FormShow() {
  std::wstring folder = ExeDir() + L"Velmora\\";
  if (!DirectoryExists(folder)) ForceDirectories(folder);
  FController.SetSaveFolder(folder);
}

void Tfrm_Main::SetActivePage(TWorkflowPage page) {
  FPage = page;
  bool start = page != pgProgress;
  for (int id : {idDownload, idLineDX, idLineLT}) ::ShowWindow(Item(id), start ? SW_SHOW : SW_HIDE);
  for (int id : {idProgress, idTrack, idFill}) ::ShowWindow(Item(id), start ? SW_HIDE : SW_SHOW);
  if (start) ::ShowWindow(Item(idInstall), SW_HIDE);
}

bool Tfrm_Main::LineDXChecked() const { return ::SendMessageW(Item(idLineDX), BM_GETCHECK, 0, 0) == BST_CHECKED; }
bool Tfrm_Main::LineLTChecked() const { return ::SendMessageW(Item(idLineLT), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void Tfrm_Main::SetProgressCaption(const std::wstring& text) { ::SetWindowTextW(Item(idProgress), text.c_str()); }

void Tfrm_Main::SetFillWidth(int width) {
  ::SetWindowPos(Item(idFill), nullptr, 0, 0, width, 19, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Tfrm_Main::ShowInstall() { ::ShowWindow(Item(idInstall), SW_SHOW); }

}  // namespace qs

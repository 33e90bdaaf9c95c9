// dialog_shots: shows one of the program's dialogs for a photograph (tests/dialogs/shots.sh)
// over a mid-grey desktop, so the shadow shows as on an ordinary one, and closes it after a
// few seconds. The dialogs are the real ones, with a real message:
//
//   dialog_shots notice | confirm-details | prompt
#include <windows.h>

#include <memory>
#include <string>

#include "app/InfoDialog.h"
#include "dialogs/MsgDlgForm.h"
#include "ui/Application.h"
#include "ui/ModalSpeedButton.h"
#include "ui/Timer.h"

using namespace qs;

namespace {

// A plain window over the whole screen, beneath the dialog: the desktop of the picture.
HWND ShowDesktop(HINSTANCE instance) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = ::DefWindowProcW;
  wc.hInstance = instance;
  wc.hbrBackground = ::CreateSolidBrush(RGB(0xC8, 0xCD, 0xD3));
  wc.lpszClassName = L"QsShotDesktop";
  ::RegisterClassW(&wc);
  HWND desktop = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0,
                                   ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN), nullptr,
                                   nullptr, instance, nullptr);
  ::UpdateWindow(desktop);
  return desktop;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR cmdLine, int) {
  Application.Initialize();
  HWND desktop = ShowDesktop(instance);
  const std::wstring which = cmdLine;
  std::unique_ptr<TForm> shown;
  if (which == L"notice") {
    auto dialog = MakeForm<Tfrm_MsgDlg>();
    dialog->Prepare(mkInformation, L"网络异常，请检查网络后重试！", L"", false, L"");
    shown = std::move(dialog);
  } else if (which == L"confirm-details") {
    auto dialog = MakeForm<Tfrm_MsgDlg>();
    dialog->Prepare(mkConfirm, L"C:\\Quillsend\\Velmora\\Velmora（湖北）（完整安装包）.exe已存在，需要重新下载吗？",
                    L"C:\\Program Files\\Velmora\\Velmora（湖北）（完整安装包）.exe\r\n大小：1.2 GB\r\n修改时间：2026-12-09 14:03",
                    false, L"");
    dialog->sBtnDetail->OnClick();
    shown = std::move(dialog);
  } else if (which == L"prompt") {
    shown = MakeForm<Tfrm_Info>();
  } else {
    return 1;
  }
  TTimer closer;
  closer.SetInterval(6000);
  closer.OnTimer = [&] { shown->Close(); };
  closer.SetEnabled(true);
  shown->ShowModal();
  ::DestroyWindow(desktop);
  return 0;
}

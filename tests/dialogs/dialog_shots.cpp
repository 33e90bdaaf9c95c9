// dialog_shots: shows one of the program's dialogs for a photograph (tests/dialogs/shots.sh)
// and closes it after a few seconds. The dialogs are the real ones, with a real message:
//
//   dialog_shots notice | confirm-details
#include <windows.h>

#include <memory>
#include <string>

#include "dialogs/MsgDlgForm.h"
#include "ui/Application.h"
#include "ui/ModalSpeedButton.h"
#include "ui/Timer.h"

using namespace qs;

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR cmdLine, int) {
  Application.Initialize();
  const std::wstring which = cmdLine;
  std::unique_ptr<TForm> shown;
  if (which == L"notice") {
    auto dialog = MakeForm<Tfrm_MsgDlg>();
    dialog->Prepare(mkInformation, L"网络异常，请检查网络后重试！", L"", false, L"");
    shown = std::move(dialog);
  } else if (which == L"confirm-details") {
    auto dialog = MakeForm<Tfrm_MsgDlg>();
    dialog->Prepare(mkConfirm, L"文件“Velmora（湖北）（完整安装包）.exe”已存在，是否重新下载？",
                    L"C:\\Program Files\\Velmora\\Velmora（湖北）（完整安装包）.exe\r\n大小：1.2 GB\r\n修改时间：2026-12-09 14:03",
                    false, L"");
    dialog->sBtnDetail->OnClick();
    shown = std::move(dialog);
  } else {
    return 1;
  }
  TTimer closer;
  closer.SetInterval(6000);
  closer.OnTimer = [&] { shown->Close(); };
  closer.SetEnabled(true);
  shown->ShowModal();
  return 0;
}

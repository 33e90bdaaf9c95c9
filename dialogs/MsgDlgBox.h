// ShowMsgDlg: every notice and question of the program goes through here. It makes a
// message dialog (Tfrm_MsgDlg), fits it to the message, shows it centred above all other
// windows until the user answers, destroys it and returns the answer's code:
//
//   ShowMsgDlg(mkInformation, L"请选择保存路径。");
//   if (ShowMsgDlg(mkConfirm, L"文件已存在，是否重新下载？") == drLeft) ...
//
// Codes: drLeft (the left button; any button of the one-button kinds), drCenter,
// drRight (the right button, or the dialog dismissed: Esc, the close cross, a shutdown),
// drLeftRemind / drRightRemind (those buttons with the remind box ticked).
// A details text that is not blank offers the details pane; a remind caption that is not
// blank shows the remind box, ticked when remindChecked. Texts are shown as given.
#pragma once
#include <cstdint>
#include <string>

#include "dialogs/MsgDlgKinds.h"

namespace qs {

int32_t ShowMsgDlg(TMsgDlgKind kind, const std::wstring& message, const std::wstring& details = L"",
                   bool remindChecked = false, const std::wstring& remindCaption = L"");

}  // namespace qs

// ShowMsgDlg: one dialog per call, destroyed before the call returns on every path.
#include "dialogs/MsgDlgBox.h"

#include "dialogs/MsgDlgForm.h"

namespace qs {

int32_t ShowMsgDlg(TMsgDlgKind kind, const std::wstring& message, const std::wstring& details, bool remindChecked,
                   const std::wstring& remindCaption) {
  auto dialog = MakeForm<Tfrm_MsgDlg>();
  dialog->Prepare(kind, message, details, remindChecked, remindCaption);
  return dialog->ResultFor(dialog->ShowModal());
}

}  // namespace qs

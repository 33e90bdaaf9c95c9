// The kinds table of the message dialog and the rules for its result codes.
#include "dialogs/MsgDlgKinds.h"

namespace qs {

namespace {

constexpr std::wstring_view kOk = L"确定(&O)";
constexpr std::wstring_view kCancel = L"取消";
constexpr std::wstring_view kYes = L"是(&Y)";
constexpr std::wstring_view kNo = L"否(&N)";

constexpr TMsgDlgKindInfo kKinds[] = {
    {L"提示信息", miInfo, {kOk, L"", L""}},
    {L"错误信息", miError, {kOk, L"", L""}},
    {L"警告信息", miWarn, {kOk, L"", L""}},
    {L"确认信息", miConfirm, {kOk, L"", kCancel}},
    {L"确认信息", miConfirm, {kYes, kNo, kCancel}},
    {L"确认信息", miConfirm, {kYes, L"", kNo}},
    {L"确认信息", miConfirm, {kYes, L"", kNo}},
};

}  // namespace

std::optional<TMsgDlgKindInfo> FindKindInfo(uint8_t kind) {
  if (kind >= std::size(kKinds)) return std::nullopt;
  return kKinds[kind];
}

int32_t ButtonResultCode(TMsgDlgButton button, bool remindTicked) {
  switch (button) {
    case dbLeft: return remindTicked ? drLeftRemind : drLeft;
    case dbCenter: return drCenter;
    case dbRight: return remindTicked ? drRightRemind : drRight;
    case dbDetail: break;
  }
  return 0;
}

int32_t FinalResult(uint8_t kind, bool endedByButton, int32_t recordedCode) {
  if (!endedByButton) return drRight;
  // The one-button notices answer drLeft whatever the remind box says.
  if (kind <= mkWarning) return drLeft;
  return recordedCode;
}

bool IsBlank(std::wstring_view text) {
  for (wchar_t c : text)
    if (c > L' ') return false;
  return true;
}

}  // namespace qs

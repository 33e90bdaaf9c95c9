// The message dialog's kinds and result codes, and what each kind shows: title, icon and
// button captions. Also the codes the buttons record and the rule that turns the way the
// dialog ended into the code the caller receives. No window here, so it is tested natively.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qs {

// The byte a caller passes; values above mkYesNo2 still show a dialog, without icon and buttons.
enum TMsgDlgKind : uint8_t {
  mkInformation = 0,
  mkError = 1,
  mkWarning = 2,
  mkConfirm = 3,
  mkYesNoCancel = 4,
  mkYesNo = 5,
  mkYesNo2 = 6,
};

enum TMsgDlgResult : int32_t {
  drLeft = 1,
  drCenter = 2,
  drRight = 3,  // also every way of dismissing the dialog without a button
  drLeftRemind = 10,
  drRightRemind = 30,
};

enum TMsgDlgIcon { miNone, miInfo, miError, miWarn, miConfirm };

// The dialog's buttons, in tab order; the first three are the action buttons, left to right.
enum TMsgDlgButton { dbLeft, dbCenter, dbRight, dbDetail };
inline constexpr int kActionButtonCount = 3;

struct TMsgDlgKindInfo {
  std::wstring_view Title;
  TMsgDlgIcon Icon;
  std::wstring_view Captions[kActionButtonCount];  // left, centre, right; empty: the button stays hidden
};

// The row of the kinds table; nothing for a kind above mkYesNo2.
std::optional<TMsgDlgKindInfo> FindKindInfo(uint8_t kind);

inline constexpr std::wstring_view kDesignedTitle = L"标题";
inline constexpr std::wstring_view kShowDetailCaption = L"显示详细信息";
inline constexpr std::wstring_view kHideDetailCaption = L"隐藏详细信息";
inline constexpr std::wstring_view kDetailHeaderCaption = L" 详细信息";

// The code an action button records; the remind box counts for the left and right buttons only.
int32_t ButtonResultCode(TMsgDlgButton button, bool remindTicked);

// The code ShowMsgDlg returns: the recorded code when a button ended the dialog (always drLeft
// for the one-button kinds), drRight for every other ending.
int32_t FinalResult(uint8_t kind, bool endedByButton, int32_t recordedCode);

// True when the text holds nothing but blanks and control characters.
bool IsBlank(std::wstring_view text);

}  // namespace qs

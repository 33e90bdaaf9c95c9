// The message dialog's kinds table and result codes.
#include "dialogs/MsgDlgKinds.h"

#include <gtest/gtest.h>

#include <optional>

using namespace qs;

TEST(MsgDlgKinds, TitlesIconsAndCaptionsByKind) {
  struct {
    uint8_t Kind;
    std::wstring_view Title;
    TMsgDlgIcon Icon;
    std::wstring_view Left, Center, Right;
  } cases[] = {
      {mkInformation, L"提示信息", miInfo, L"确定(&O)", L"", L""},
      {mkError, L"错误信息", miError, L"确定(&O)", L"", L""},
      {mkWarning, L"警告信息", miWarn, L"确定(&O)", L"", L""},
      {mkConfirm, L"确认信息", miConfirm, L"确定(&O)", L"", L"取消"},
      {mkYesNoCancel, L"确认信息", miConfirm, L"是(&Y)", L"否(&N)", L"取消"},
      {mkYesNo, L"确认信息", miConfirm, L"是(&Y)", L"", L"否(&N)"},
      {mkYesNo2, L"确认信息", miConfirm, L"是(&Y)", L"", L"否(&N)"},
  };
  for (auto& c : cases) {
    auto info = FindKindInfo(c.Kind);
    ASSERT_TRUE(info) << int(c.Kind);
    EXPECT_EQ(info->Title, c.Title) << int(c.Kind);
    EXPECT_EQ(info->Icon, c.Icon) << int(c.Kind);
    EXPECT_EQ(info->Captions[dbLeft], c.Left) << int(c.Kind);
    EXPECT_EQ(info->Captions[dbCenter], c.Center) << int(c.Kind);
    EXPECT_EQ(info->Captions[dbRight], c.Right) << int(c.Kind);
  }
  for (int kind : {7, 8, 100, 255}) EXPECT_FALSE(FindKindInfo(static_cast<uint8_t>(kind))) << kind;
}

// How the dialog ended (a button, with or without the remind box ticked, or no button at all)
// and what ShowMsgDlg returns for it.
TEST(MsgDlgKinds, ResultCodes) {
  struct {
    uint8_t Kind;
    std::optional<TMsgDlgButton> Button;  // none: Esc, the close cross, any other ending
    bool Remind;
    int32_t Expected;
  } cases[] = {
      {mkInformation, dbLeft, false, drLeft},
      {mkInformation, std::nullopt, false, drRight},
      {mkError, dbLeft, false, drLeft},
      {mkError, dbLeft, true, drLeft},
      {mkError, std::nullopt, true, drRight},
      {mkWarning, dbLeft, true, drLeft},
      {mkWarning, std::nullopt, false, drRight},
      {mkConfirm, dbLeft, false, drLeft},
      {mkConfirm, dbRight, false, drRight},
      {mkConfirm, dbLeft, true, drLeftRemind},
      {mkConfirm, dbRight, true, drRightRemind},
      {mkConfirm, std::nullopt, true, drRight},
      {mkYesNoCancel, dbLeft, false, drLeft},
      {mkYesNoCancel, dbCenter, false, drCenter},
      {mkYesNoCancel, dbCenter, true, drCenter},
      {mkYesNoCancel, dbRight, false, drRight},
      {mkYesNo, dbLeft, false, drLeft},
      {mkYesNo, dbRight, false, drRight},
      {mkYesNo2, dbRight, true, drRightRemind},
      {mkYesNo2, std::nullopt, false, drRight},
      {7, std::nullopt, false, drRight},
  };
  for (auto& c : cases) {
    int32_t code = c.Button ? FinalResult(c.Kind, true, ButtonResultCode(*c.Button, c.Remind))
                            : FinalResult(c.Kind, false, 0);
    EXPECT_EQ(code, c.Expected) << "kind " << int(c.Kind) << " button " << (c.Button ? int(*c.Button) : -1)
                                << " remind " << c.Remind;
  }
}

TEST(MsgDlgKinds, BlankTexts) {
  struct { std::wstring_view Text; bool Blank; } cases[] = {
      {L"", true},      {L"   ", true},     {L"\t\r\n \x01", true},
      {L" x ", false},  {L"详细", false},   {L"\x3000", false},  // the ideographic space is text
  };
  for (auto& c : cases) EXPECT_EQ(IsBlank(c.Text), c.Blank) << int(c.Text.size());
}

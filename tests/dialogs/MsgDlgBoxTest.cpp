// ShowMsgDlg end to end: real dialogs answered with real keys and clicks return the codes
// of their kind; the dialog's size and button places for a short notice; the unowned,
// topmost tool window; the other windows disabled while it is up; shutdown while it is up.
#include "dialogs/MsgDlgBox.h"

#include <gtest/gtest.h>

#include "tests/dialogs/DialogDriver.h"
#include "tests/ui/UiTestUtil.h"

namespace qs {
namespace {

using namespace qs::test;

const std::wstring kOk = L"确定(&O)", kCancel = L"取消", kYes = L"是(&Y)", kNo = L"否(&N)";

std::wstring TitleOf(uint8_t kind) {
  auto info = FindKindInfo(kind);
  return info ? std::wstring(info->Title) : std::wstring(kDesignedTitle);
}

// The close cross: 26 x 26, 4 pixels under the frame's top, 5 from the window's right edge.
POINT CloseCrossCentre(HWND dialog) {
  RECT r = RectOf(dialog);
  return {r.right - 5 - 13, r.top + 1 + 4 + 13};
}

class MsgDlgBox : public ::testing::Test {
protected:
  void SetUp() override {
    SetUpApplication();
    CaughtExceptions().clear();
  }
  void TearDown() override { EXPECT_TRUE(CaughtExceptions().empty()); }
};

TEST_F(MsgDlgBox, EachKindAnswersWithTheCodesOfItsButtons) {
  enum TAction { acClick, acKey, acCross, acAltF4 };
  struct {
    uint8_t Kind;
    bool RemindTicked;
    TAction Action;
    std::wstring Target;  // the button's caption to click
    std::vector<WORD> Keys;
    int32_t Expected;
  } cases[] = {
      {mkInformation, false, acClick, kOk, {}, drLeft},
      {mkInformation, false, acKey, L"", {VK_ESCAPE}, drRight},
      {mkInformation, false, acKey, L"", {'O'}, drLeft},
      {mkError, false, acKey, L"", {VK_RETURN}, drLeft},
      {mkError, true, acClick, kOk, {}, drLeft},
      {mkError, false, acKey, L"", {VK_ESCAPE}, drRight},
      {mkWarning, true, acKey, L"", {VK_TAB, VK_SPACE}, drLeft},  // the remind box has the first focus
      {mkWarning, false, acCross, L"", {}, drRight},
      {mkConfirm, false, acClick, kOk, {}, drLeft},
      {mkConfirm, false, acClick, kCancel, {}, drRight},
      {mkConfirm, false, acKey, L"", {VK_ESCAPE}, drRight},
      {mkConfirm, false, acCross, L"", {}, drRight},
      {mkConfirm, false, acAltF4, L"", {}, drRight},
      {mkConfirm, true, acClick, kOk, {}, drLeftRemind},
      {mkConfirm, true, acClick, kCancel, {}, drRightRemind},
      {mkConfirm, false, acKey, L"", {VK_RIGHT, VK_RETURN}, drRight},
      {mkYesNoCancel, false, acKey, L"", {'Y'}, drLeft},
      {mkYesNoCancel, false, acKey, L"", {'N'}, drCenter},
      {mkYesNoCancel, true, acClick, kNo, {}, drCenter},
      {mkYesNoCancel, false, acClick, kCancel, {}, drRight},
      {mkYesNoCancel, false, acKey, L"", {VK_TAB, VK_TAB, VK_SPACE}, drRight},
      {mkYesNo, false, acKey, L"", {'N'}, drRight},
      {mkYesNo, false, acClick, kYes, {}, drLeft},
      {mkYesNo2, false, acClick, kNo, {}, drRight},
      {mkYesNo2, true, acKey, L"", {'Y'}, drLeftRemind},
      {7, false, acKey, L"", {VK_ESCAPE}, drRight},
      {200, false, acCross, L"", {}, drRight},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "kind " << int(c.Kind) << " remind " << c.RemindTicked << " action "
                                    << c.Action);
    bool found = false;
    int32_t code = WithDriver(
        TitleOf(c.Kind),
        [&](HWND dialog, DWORD) {
          switch (c.Action) {
            case acClick:
              if (HWND button = FindChild(dialog, c.Target)) InputClickCentre(button);
              break;
            case acKey:
              for (WORD key : c.Keys) InputKey(key);
              break;
            case acCross: {
              POINT p = CloseCrossCentre(dialog);
              InputClick(p.x, p.y);
              break;
            }
            case acAltF4:
              InputKey(VK_F4, {VK_MENU});
              break;
          }
        },
        [&] {
          return ShowMsgDlg(static_cast<TMsgDlgKind>(c.Kind), L"消息", L"", c.RemindTicked,
                            c.RemindTicked ? L"不再提示" : L"");
        },
        &found);
    EXPECT_TRUE(found);
    EXPECT_EQ(code, c.Expected);
  }
}

TEST_F(MsgDlgBox, EnterAnswersTheLeftButtonOfEveryKind) {
  for (uint8_t kind = mkInformation; kind <= mkYesNo2; ++kind) {
    std::wstring focused;
    int32_t code = WithDriver(
        TitleOf(kind),
        [&](HWND, DWORD ui) {
          focused = TextOf(FocusOf(ui));
          InputKey(VK_RETURN);
        },
        [&] { return ShowMsgDlg(static_cast<TMsgDlgKind>(kind), L"请选择保存路径。"); });
    EXPECT_EQ(focused, FindKindInfo(kind)->Captions[dbLeft]) << int(kind);
    EXPECT_EQ(code, drLeft) << int(kind);
  }
}

TEST_F(MsgDlgBox, ShortNoticeIsAnUnownedTopmostToolWindowCentredWithItsButtonAt217) {
  RECT dialogRect{}, buttonRect{};
  LONG_PTR exStyle = 0;
  HWND owner = reinterpret_cast<HWND>(1);
  int visibleButtons = -1;
  int32_t code = WithDriver(
      L"提示信息",
      [&](HWND dialog, DWORD) {
        dialogRect = RectOf(dialog);
        buttonRect = RectOf(FindChild(dialog, kOk));
        exStyle = ::GetWindowLongPtrW(dialog, GWL_EXSTYLE);
        owner = ::GetWindow(dialog, GW_OWNER);
        visibleButtons = static_cast<int>(VisibleChildren(dialog).size());
        InputKey(VK_ESCAPE);
      },
      [&] { return ShowMsgDlg(mkInformation, L"请选择保存路径。"); });
  EXPECT_EQ(code, drRight);
  EXPECT_EQ(dialogRect.right - dialogRect.left, 300);
  EXPECT_EQ(dialogRect.bottom - dialogRect.top, 183);
  // The button bar lies inside the one-pixel frame: its left 217 is 218 in the window.
  EXPECT_EQ(buttonRect.left - dialogRect.left, 1 + 217);
  EXPECT_EQ(buttonRect.right - buttonRect.left, 67);
  EXPECT_EQ(buttonRect.bottom - buttonRect.top, 30);
  EXPECT_EQ(visibleButtons, 1);
  EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
  EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
  EXPECT_EQ(owner, nullptr);
  RECT work{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_EQ(dialogRect.left, work.left + (work.right - work.left - 300) / 2);
  EXPECT_EQ(dialogRect.top, work.top + (work.bottom - work.top - 183) / 2);
}

TEST_F(MsgDlgBox, OtherWindowsTakeNoInputWhileItIsUp) {
  auto other = ShownForm(40, 40, 200, 120);
  ShowAndSettle(*other);
  HWND otherWnd = other->Handle();
  bool enabledDuring = true;
  WithDriver(
      L"确认信息",
      [&](HWND, DWORD) {
        enabledDuring = ::IsWindowEnabled(otherWnd) != FALSE;
        InputKey(VK_ESCAPE);
      },
      [&] { return ShowMsgDlg(mkConfirm, L"文件已存在，是否重新下载？"); });
  EXPECT_FALSE(enabledDuring);
  EXPECT_TRUE(::IsWindowEnabled(otherWnd));
}

TEST_F(MsgDlgBox, ShutdownWhileUpAnswersDismissedAndLeavesTheQuitForTheMainLoop) {
  int32_t code = WithDriver(
      L"确认信息", [&](HWND, DWORD ui) { ::PostThreadMessageW(ui, WM_QUIT, 7, 0); },
      [&] { return ShowMsgDlg(mkConfirm, L"文件已存在，是否重新下载？"); });
  EXPECT_EQ(code, drRight);
  MSG msg;
  ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 7u);
}

TEST_F(MsgDlgBox, EachCallMakesAndDestroysItsOwnWindow) {
  HWND first = nullptr, second = nullptr;
  WithDriver(L"提示信息", [&](HWND d, DWORD) { first = d; InputKey(VK_RETURN); },
             [&] { return ShowMsgDlg(mkInformation, L"一"); });
  EXPECT_FALSE(::IsWindow(first));
  WithDriver(L"提示信息", [&](HWND d, DWORD) { second = d; InputKey(VK_RETURN); },
             [&] { return ShowMsgDlg(mkInformation, L"二"); });
  EXPECT_FALSE(::IsWindow(second));
  EXPECT_NE(first, nullptr);
  EXPECT_NE(second, nullptr);
}

}  // namespace
}  // namespace qs

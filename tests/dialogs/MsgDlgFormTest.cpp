// The message dialog's window with real fonts, pictures, keys and mouse: the state after
// creation, the layout applied to the controls, the details pane, the remind row, the
// close cross's opaque/transparent swap, dragging by the title bar, and a kind without
// icon and buttons.
#include "dialogs/MsgDlgForm.h"

#include <gtest/gtest.h>

#include "dialogs/MsgDlgBox.h"
#include "tests/dialogs/DialogDriver.h"
#include "tests/ui/UiTestUtil.h"
#include "ui/CheckBox.h"
#include "ui/Font.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "ui/ModalSpeedButton.h"
#include "ui/Panel.h"
#include "ui/RichEdit.h"

namespace qs {
namespace {

using namespace qs::test;

constexpr uint32_t kCloseRed = 0xDA3610;  // 0x00RRGGBB of the close square (218, 54, 16)

class MsgDlgForm : public ::testing::Test {
protected:
  void SetUp() override {
    SetUpApplication();
    CaughtExceptions().clear();
  }
  void TearDown() override { EXPECT_TRUE(CaughtExceptions().empty()); }

  std::unique_ptr<Tfrm_MsgDlg> ShownDialog(uint8_t kind, const std::wstring& message, const std::wstring& details = L"",
                                     bool remindChecked = false, const std::wstring& remindCaption = L"") {
    auto dialog = MakeForm<Tfrm_MsgDlg>();
    dialog->Prepare(kind, message, details, remindChecked, remindCaption);
    dialog->Show();
    PumpUntil([&] { return ::IsWindowVisible(dialog->Handle()) && ::GetFocus() != nullptr; });
    Pump(50);
    return dialog;
  }
  static TWinControl* Focused() { return TWinControl::FromHandle(::GetFocus()); }
};

TEST_F(MsgDlgForm, CreatedNarrowGreyAndWithNothingShownYet) {
  auto dialog = MakeForm<Tfrm_MsgDlg>();
  EXPECT_EQ(dialog->Width(), 300);
  EXPECT_EQ(dialog->Color(), Rgb(142, 142, 142));
  EXPECT_EQ(dialog->pnl_body->BoundsRect(), TRect::Bounds(1, 1, 298, dialog->Height() - 2));
  for (TControl* c : std::initializer_list<TControl*>{dialog->imgInfo, dialog->imgError, dialog->imgConfirm,
                                                      dialog->imgWarn, dialog->sBtnLeft, dialog->sBtnCenter,
                                                      dialog->sBtnRight, dialog->sBtnDetail, dialog->pnlDetail,
                                                      dialog->pnlRemind})
    EXPECT_FALSE(c->Visible()) << std::string(c->Name().begin(), c->Name().end());
  EXPECT_TRUE(dialog->lblMsg->AutoSize());
  EXPECT_FALSE(dialog->lblMsg->WordWrap());
  EXPECT_EQ(dialog->moInfo->Text(), L"");
  EXPECT_TRUE(dialog->KeyPreview());
  EXPECT_EQ(dialog->FormStyle(), fsStayOnTop);
}

// The layout's numbers on the real controls, with the message measured in the real font.
TEST_F(MsgDlgForm, FitsTheFormToTheMeasuredMessage) {
  const std::wstring longText(60, L'网');
  struct {
    const wchar_t* Message;
  } cases[] = {{L""}, {L"请选择保存路径。"}, {L"网络异常，请检查网络后重试！网络异常"}, {L"第一行\r\n第二行\r\n第三行\r\n第四行"},
               {longText.c_str()}, {L"a rather long English sentence whose words cannot break anywhere but at spaces, "
                                    L"so wrapping it takes more lines than its width alone suggests"}};
  for (auto& c : cases) {
    auto dialog = MakeForm<Tfrm_MsgDlg>();
    dialog->Prepare(mkInformation, c.Message, L"", false, L"");
    const std::wstring caption = std::wstring(c.Message) + L"  ";
    EXPECT_EQ(dialog->lblMsg->Caption(), caption);
    const TFont& font = dialog->lblMsg->Font();
    const TSize unwrapped = MeasureText(font, caption, DT_NOPREFIX | DT_EXPANDTABS);
    const int w = unwrapped.Width;
    const TLabel& label = *dialog->lblMsg;
    SCOPED_TRACE(testing::Message() << "message width " << w);
    EXPECT_EQ(label.Left(), 67);
    EXPECT_EQ(label.Top(), 14);
    if (w <= 213) {
      EXPECT_EQ(dialog->Width(), 300);
      EXPECT_EQ(label.Width(), w);
      EXPECT_EQ(label.Height(), unwrapped.Height);
    } else if (w <= 413) {
      EXPECT_EQ(dialog->Width(), 67 + w + 20);
      EXPECT_EQ(label.Width(), w);
    } else {
      EXPECT_EQ(dialog->Width(), 500);
      EXPECT_TRUE(label.WordWrap());
      EXPECT_EQ(label.Width(), 413);
      // Never shorter than the wrapped text, so no line is cut off.
      EXPECT_GE(label.Height(), MeasureText(font, caption, DT_NOPREFIX | DT_EXPANDTABS | DT_WORDBREAK, 413).Height);
    }
    const int bottom = 14 + label.Height() + 10;
    EXPECT_EQ(dialog->pnlMsg->Height(), 102 + std::max(0, bottom - 80));
    EXPECT_EQ(dialog->Height(), 35 + dialog->pnlMsg->Height() + 46);
    EXPECT_EQ(dialog->sBtnLeft->Left(), dialog->Width() - 83);
    // The body keeps its one-pixel frame; the close cross stays 5 pixels from the bar's end.
    EXPECT_EQ(dialog->pnl_body->BoundsRect(), TRect::Bounds(1, 1, dialog->Width() - 2, dialog->Height() - 2));
    EXPECT_EQ(dialog->pnl_title->Width(), dialog->Width() - 2);
    EXPECT_EQ(dialog->Image2->BoundsRect(), TRect::Bounds(dialog->pnl_title->Width() - 5 - 26, 4, 26, 26));
  }
}

TEST_F(MsgDlgForm, DetailsButtonOpensAndClosesThePaneAtTheBottomEdge) {
  auto dialog = ShownDialog(mkConfirm, L"文件已存在，是否重新下载？", L"C:\\Velmora\\包.exe\r\n大小：1.2 GB");
  ASSERT_TRUE(dialog->sBtnDetail->Visible());
  EXPECT_EQ(dialog->sBtnDetail->Caption(), L"显示详细信息");
  EXPECT_EQ(dialog->sBtnDetail->Left(), dialog->sBtnLeft->Left() - 8 - 80);
  EXPECT_EQ(dialog->moInfo->Text(), L"C:\\Velmora\\包.exe\r\n大小：1.2 GB");
  const TRect closed = dialog->BoundsRect();
  for (int round = 0; round < 2; ++round) {
    ClickAt(dialog->sBtnDetail->ClientToScreen({40, 15}).X, dialog->sBtnDetail->ClientToScreen({40, 15}).Y);
    PumpUntil([&] { return dialog->pnlDetail->Visible(); });
    EXPECT_TRUE(dialog->moInfo->Showing());
    EXPECT_EQ(dialog->sBtnDetail->Caption(), L"隐藏详细信息");
    EXPECT_EQ(dialog->BoundsRect(), TRect::Bounds(closed.Left, closed.Top, closed.Width(), closed.Height() + 150));
    RECT window{};
    ::GetWindowRect(dialog->Handle(), &window);
    EXPECT_EQ(window.bottom - window.top, closed.Height() + 150);
    // While open, the details text joins the tab stops after the buttons.
    dialog->sBtnDetail->SetFocus();
    TypeKey(VK_TAB);
    PumpUntil([&] { return Focused() == dialog->moInfo; });
    EXPECT_EQ(Focused(), dialog->moInfo);

    ClickAt(dialog->sBtnDetail->ClientToScreen({40, 15}).X, dialog->sBtnDetail->ClientToScreen({40, 15}).Y);
    PumpUntil([&] { return !dialog->pnlDetail->Visible(); });
    EXPECT_EQ(dialog->sBtnDetail->Caption(), L"显示详细信息");
    EXPECT_EQ(dialog->BoundsRect(), closed);
    dialog->sBtnDetail->SetFocus();
    TypeKey(VK_TAB);
    PumpUntil([&] { return Focused() != dialog->sBtnDetail; });
    EXPECT_EQ(Focused(), dialog->sBtnLeft);
  }
  EXPECT_EQ(dialog->ModalResult(), mrNone);
}

TEST_F(MsgDlgForm, ShadowStandsBehindFollowsThePaneAndGoesWithTheDialog) {
  auto dialog = ShownDialog(mkConfirm, L"文件已存在，是否重新下载？", L"C:\\Velmora\\包.exe");
  HWND form = dialog->Handle();
  HWND shadow = nullptr;
  ASSERT_TRUE(PumpUntil([&] { return (shadow = ShadowBehind(form)) != nullptr; }));
  const RECT closed = RectOf(shadow);
  const TPoint at = dialog->sBtnDetail->ClientToScreen({40, 15});
  ClickAt(at.X, at.Y);
  // Taller by the pane's 150 pixels, still 16 pixels beyond the dialog all round.
  EXPECT_TRUE(PumpUntil([&] { return ShadowBehind(form) == shadow && RectOf(shadow).bottom == closed.bottom + 150; }));
  EXPECT_EQ(RectOf(shadow).top, closed.top);
  dialog.reset();
  EXPECT_FALSE(::IsWindow(shadow));
}

TEST_F(MsgDlgForm, BlankDetailsOfferNoDetailsButton) {
  for (const wchar_t* details : {L"", L"   ", L"\t\r\n "}) {
    auto dialog = MakeForm<Tfrm_MsgDlg>();
    dialog->Prepare(mkConfirm, L"消息", details, false, L"");
    EXPECT_FALSE(dialog->HasDetail());
    EXPECT_FALSE(dialog->sBtnDetail->Visible());
  }
}

TEST_F(MsgDlgForm, RemindRowShowsItsCaptionAndStateAndTakesTheFirstFocus) {
  for (bool checked : {true, false}) {
    auto dialog = ShownDialog(mkConfirm, L"消息", L"", checked, L"下次不再提示");
    EXPECT_TRUE(dialog->pnlRemind->Showing());
    EXPECT_EQ(dialog->cbxRemind->Checked(), checked);
    EXPECT_EQ(dialog->lblRemind->Caption(), L"下次不再提示");
    EXPECT_EQ(Focused(), dialog->cbxRemind);
  }
  auto plain = ShownDialog(mkConfirm, L"消息", L"", true, L"  ");
  EXPECT_FALSE(plain->pnlRemind->Visible());
  EXPECT_EQ(Focused(), plain->sBtnLeft);
}

TEST_F(MsgDlgForm, CloseCrossTurnsOpaqueUnderThePointerAndBackOverTheTitleBar) {
  auto dialog = ShownDialog(mkInformation, L"消息");
  const TPoint cross = dialog->Image2->ClientToScreen({13, 13});
  const TPoint bar = dialog->Image1->ClientToScreen({150, 30});
  // The close square's corner, in the form's client coordinates.
  const TPoint corner = dialog->ScreenToClient(dialog->Image2->ClientToScreen({1, 24}));
  EXPECT_TRUE(dialog->Image2->Transparent());
  EXPECT_FALSE(Near(Rgb24(Shown(dialog->Handle()), corner.X, corner.Y), kCloseRed, 8));

  MoveMouseTo(cross.X, cross.Y);
  PumpUntil([&] { return !dialog->Image2->Transparent(); });
  EXPECT_FALSE(dialog->Image2->Transparent());
  EXPECT_TRUE(Near(Rgb24(Shown(dialog->Handle()), corner.X, corner.Y), kCloseRed, 8));

  // Straight out of the dialog: the cross stays opaque.
  MoveMouseTo(cross.X + 200, cross.Y - 100);
  Pump(100);
  EXPECT_FALSE(dialog->Image2->Transparent());

  MoveMouseTo(bar.X, bar.Y);
  PumpUntil([&] { return dialog->Image2->Transparent(); });
  EXPECT_TRUE(dialog->Image2->Transparent());
  EXPECT_FALSE(Near(Rgb24(Shown(dialog->Handle()), corner.X, corner.Y), kCloseRed, 8));
}

TEST_F(MsgDlgForm, KindAboveSixShowsNoIconAndNoButtonAndClosesWithEsc) {
  // Pixels of the icon's place: something coloured for a known kind, only white above six.
  auto iconPixels = [](HWND dialog) {
    TPixelBuffer shown = CaptureClient(dialog);
    int coloured = 0;
    for (int y = 1 + 35 + 4; y < 1 + 35 + 4 + 48; ++y)
      for (int x = 1 + 11; x < 1 + 11 + 48; ++x)
        if (!Near(Rgb24(shown, x, y), 0xFFFFFF, 2)) ++coloured;
    return coloured;
  };
  for (uint8_t kind : {uint8_t(mkInformation), uint8_t(7), uint8_t(255)}) {
    int coloured = -1;
    size_t windows = 99;
    std::wstring title;
    int32_t code = WithDriver(
        kind == mkInformation ? L"提示信息" : L"标题",
        [&](HWND dialog, DWORD) {
          ::Sleep(100);  // painted
          coloured = iconPixels(dialog);
          windows = VisibleChildren(dialog).size();
          title = TextOf(dialog);
          InputKey(VK_ESCAPE);
        },
        [&] { return ShowMsgDlg(static_cast<TMsgDlgKind>(kind), L"没有按钮的消息"); });
    EXPECT_EQ(code, drRight) << int(kind);
    if (kind == mkInformation) {
      EXPECT_GT(coloured, 100);
      EXPECT_EQ(windows, 1u);
    } else {
      EXPECT_EQ(coloured, 0) << int(kind);
      EXPECT_EQ(windows, 0u) << int(kind);
      EXPECT_EQ(title, L"标题");
    }
  }
}

TEST_F(MsgDlgForm, TitleBarAndTitleTextDragTheDialog) {
  struct {
    int X, Y;  // where to press, from the window's top-left corner
    const char* What;
  } cases[] = {{150, 18, "title bar"}, {40, 18, "title text"}};
  for (auto& c : cases) {
    RECT before{}, after{};
    WithDriver(
        L"提示信息",
        [&](HWND dialog, DWORD) {
          before = RectOf(dialog);
          InputMouseTo(before.left + c.X, before.top + c.Y);
          InputMouseButton(MOUSEEVENTF_LEFTDOWN);
          for (int step = 1; step <= 4; ++step) {
            InputMouseTo(before.left + c.X + 10 * step, before.top + c.Y + 8 * step);
            ::Sleep(30);
          }
          InputMouseButton(MOUSEEVENTF_LEFTUP);
          WaitFor([&] { return RectOf(dialog).left != before.left; }, 2000);
          after = RectOf(dialog);
          InputKey(VK_ESCAPE);
        },
        [&] { return ShowMsgDlg(mkInformation, L"拖动标题栏"); });
    EXPECT_EQ(after.left - before.left, 40) << c.What;
    EXPECT_EQ(after.top - before.top, 32) << c.What;
    EXPECT_EQ(after.right - after.left, before.right - before.left) << c.What;
  }
}

}  // namespace
}  // namespace qs

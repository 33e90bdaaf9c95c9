// The controls as the windows use them, with real windows: a form built from a design
// table, label sizing, pages, radio buttons, the edit and its border colours, the check
// box, the rich-text box, and the flat button's colours at rest, hovered and focused.
#include <gtest/gtest.h>

#include "base/Error.h"
#include "tests/ui/UiTestPictures.h"
#include "tests/ui/UiTestUtil.h"
#include "ui/CheckBox.h"
#include "ui/Edit.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "ui/ModalSpeedButton.h"
#include "ui/PageControl.h"
#include "ui/Panel.h"
#include "ui/RadioButton.h"
#include "ui/RichEdit.h"

namespace qs {
namespace {

using namespace qs::test;

const TFont kYaHei12{L"微软雅黑", 12, clBlack};

const TDesignRow kRows[] = {
    {L"pnlBody", MakeControl<TPanel>, nullptr, 0, 0, 400, 260, {.Align = alClient, .Color = clWhite}},
    {L"pnlTop", MakeControl<TPanel>, L"pnlBody", 0, 0, 400, 40,
     {.Align = alTop, .Color = Rgb(11, 130, 230), .Picture = QS_TEST_PNG_RGB, .Stretch = true}},
    {L"lblTitle", MakeControl<TLabel>, L"pnlTop", 10, 8, 60, 19,
     {.Caption = L"提示信息", .Font = TFont{L"微软雅黑", 15, clWhite}, .Transparent = true}},
    {L"PC", MakeControl<TPageControl>, L"pnlBody", 0, 40, 400, 160, {.Align = alClient}},
    {L"TS1", MakeControl<TTabSheet>, L"PC", 0, 0, 0, 0, {.Caption = L"TS1"}},
    {L"rdbA", MakeControl<TRadioButton>, L"TS1", 6, 24, 49, 17,
     {.Caption = L"电信", .Font = kYaHei12, .Transparent = true, .Alignment = taLeftJustify, .Checked = true}},
    {L"rdbB", MakeControl<TRadioButton>, L"TS1", 60, 24, 49, 17,
     {.Caption = L"联通", .Font = kYaHei12, .Transparent = true, .Alignment = taLeftJustify}},
    {L"TS2", MakeControl<TTabSheet>, L"PC", 0, 0, 0, 0, {.Caption = L"TS2"}},
    {L"edtDir", MakeControl<TEdit>, L"TS2", 10, 10, 200, 23, {.Caption = L"C:\\Velmora\\", .ReadOnly = true}},
    {L"cbx", MakeControl<TCheckBox>, L"TS2", 10, 40, 17, 17, {.Color = clWhite}},
    {L"moInfo", MakeControl<TRichEdit>, L"TS2", 10, 60, 200, 60, {.Caption = L"", .ReadOnly = true}},
    {L"pnlButtons", MakeControl<TPanel>, L"pnlBody", 0, 214, 400, 46, {.Align = alBottom, .Color = Rgb(240, 243, 247)}},
    {L"sBtnLeft", MakeControl<TModalSpeedButton>, L"pnlButtons", 242, 8, 67, 30,
     {.Caption = L"确定(&O)", .Font = TFont{L"微软雅黑", 12, clWhite}}},
    {L"sBtnRight", MakeControl<TModalSpeedButton>, L"pnlButtons", 317, 8, 67, 30,
     {.Caption = L"取消", .Font = TFont{L"微软雅黑", 12, clWhite}}},
};

class Controls : public ::testing::Test {
protected:
  void SetUp() override {
    SetUpApplication();
    form = ShownForm(80, 80, 400, 260);
    BuildControls(*form, kRows);
  }
  template <typename T>
  T* Get(const wchar_t* name) {
    T* c = form->Find<T>(name);
    EXPECT_NE(c, nullptr) << name;
    return c;
  }
  std::unique_ptr<TForm> form;
};

TEST_F(Controls, ATableBuildsTheTreeWithItsSettings) {
  auto* top = Get<TPanel>(L"pnlTop");
  EXPECT_EQ(top->Parent(), Get<TPanel>(L"pnlBody"));
  EXPECT_EQ(top->BoundsRect(), TRect::Bounds(0, 0, 400, 40));
  EXPECT_EQ(top->Picture().Width(), 2);
  EXPECT_EQ(Get<TLabel>(L"lblTitle")->Font().Height, 15);
  EXPECT_EQ(Get<TLabel>(L"lblTitle")->Caption(), L"提示信息");
  // Aligned: the page control fills what the bars leave.
  EXPECT_EQ(Get<TPageControl>(L"PC")->BoundsRect(), TRect::Bounds(0, 40, 400, 174));
  EXPECT_EQ(Get<TPanel>(L"pnlButtons")->BoundsRect(), TRect::Bounds(0, 214, 400, 46));
  EXPECT_TRUE(Get<TRadioButton>(L"rdbA")->Checked());
  EXPECT_TRUE(Get<TEdit>(L"edtDir")->ReadOnly());
  // Controls without their own font take their parent's.
  EXPECT_EQ(Get<TPanel>(L"pnlTop")->Font(), form->Font());
  const TDesignRow orphan[] = {{L"x", MakeControl<TPanel>, L"nowhere", 0, 0, 1, 1, {}}};
  EXPECT_THROW(BuildControls(*form, orphan), EQsError);
}

TEST_F(Controls, AlignedRowsTakeTheirDesignedOrderNotTheOrderTheyWereMadeIn) {
  // The title-bar corner: minimise designed left of close, both aligned right.
  const TDesignRow corner[] = {
      {L"pnlMinClose", MakeControl<TPanel>, nullptr, 319, 0, 81, 27, {}},
      {L"btnSmall", MakeControl<TPanel>, L"pnlMinClose", 21, 0, 30, 27, {.Align = alRight}},
      {L"btnClose", MakeControl<TPanel>, L"pnlMinClose", 51, 0, 30, 27, {.Align = alRight}},
      {L"lblSysTitle", MakeControl<TLabel>, L"pnlMinClose", 70, 3, 8, 8, {.Anchors = akTop | akRight}},
  };
  BuildControls(*form, corner);
  auto* small = Get<TPanel>(L"btnSmall");
  auto* close = Get<TPanel>(L"btnClose");
  EXPECT_EQ(small->BoundsRect(), TRect::Bounds(21, 0, 30, 27));
  EXPECT_EQ(close->BoundsRect(), TRect::Bounds(51, 0, 30, 27));
  close->Hide();
  EXPECT_EQ(small->BoundsRect(), TRect::Bounds(51, 0, 30, 27));
  // Anchors count from the designed size of the parent.
  Get<TPanel>(L"pnlMinClose")->SetWidth(91);
  EXPECT_EQ(Get<TLabel>(L"lblSysTitle")->Left(), 80);
}

TEST_F(Controls, LabelsMeasureThemselves) {
  auto* label = form->Make<TLabel>();
  label->SetParent(form.get());
  label->SetFont(TFont{L"微软雅黑", 15, clBlack});
  label->SetAutoSize(true);
  label->SetCaption(L"网络异常");
  TSize one{label->Width(), label->Height()};
  label->SetCaption(L"网络异常网络异常");
  EXPECT_NEAR(label->Width(), 2 * one.Width, 2);
  EXPECT_EQ(label->Height(), one.Height);
  label->SetCaption(L"网络异常\r\n网络异常");  // its own line break
  EXPECT_EQ(label->Width(), one.Width);
  EXPECT_EQ(label->Height(), 2 * one.Height);
  // Word wrap at a fixed width: the height follows, the width stays.
  label->SetCaption(L"网络异常网络异常网络异常");
  label->SetWordWrap(true);
  label->SetWidth(one.Width + 2);
  label->SetCaption(L"网络故障网络故障网络故障");
  EXPECT_EQ(label->Width(), one.Width + 2);
  EXPECT_EQ(label->Height(), 3 * one.Height);
  // An empty caption still has a line's height.
  label->SetWordWrap(false);
  label->SetCaption(L"");
  EXPECT_EQ(label->Height(), one.Height);
}

TEST_F(Controls, PagesShowOneAtATimeWithTabsOrWithout) {
  auto* pc = Get<TPageControl>(L"PC");
  auto* ts1 = Get<TTabSheet>(L"TS1");
  auto* ts2 = Get<TTabSheet>(L"TS2");
  int shows = 0;
  ts2->OnShow = [&] { ++shows; };
  EXPECT_EQ(pc->ActivePage(), ts1);
  EXPECT_TRUE(ts1->Visible());
  EXPECT_FALSE(ts2->Visible());
  // With tabs the pages sit under the tab strip; without, they fill the control.
  EXPECT_GT(ts1->Top(), 0);
  ts1->SetTabVisible(false);
  ts2->SetTabVisible(false);
  EXPECT_EQ(ts1->BoundsRect(), pc->ClientRect());
  pc->SetActivePage(ts2);
  EXPECT_EQ(shows, 1);
  EXPECT_FALSE(ts1->Visible());
  EXPECT_TRUE(ts2->Visible());
  EXPECT_EQ(ts2->BoundsRect(), pc->ClientRect());
  pc->SetActivePage(ts2);
  EXPECT_EQ(shows, 1);  // no change, no event
  // Windowed controls on a hidden page are hidden with it.
  ShowAndSettle(*form);
  EXPECT_TRUE(::IsWindowVisible(Get<TEdit>(L"edtDir")->Handle()));
  pc->SetActivePage(ts1);
  EXPECT_FALSE(::IsWindowVisible(Get<TEdit>(L"edtDir")->Handle()));
}

TEST_F(Controls, ClickingATabSwitchesThePage) {
  auto* pc = Get<TPageControl>(L"PC");
  ShowAndSettle(*form);
  // The second tab stands right of the first; click a little inside it.
  TPoint tab2 = pc->ClientToScreen({0, 0});
  int x = tab2.X + 80, y = tab2.Y + 10;
  ClickAt(x, y);
  PumpUntil([&] { return pc->ActivePageIndex() == 1; });
  EXPECT_EQ(pc->ActivePageIndex(), 1);
}

TEST_F(Controls, RadioButtonsOfOneParentExcludeEachOther) {
  auto* a = Get<TRadioButton>(L"rdbA");
  auto* b = Get<TRadioButton>(L"rdbB");
  int clicks = 0;
  b->OnClick = [&] { ++clicks; };
  ShowAndSettle(*form);
  TPoint p = b->ClientToScreen({10, 8});
  ClickAt(p.X, p.Y);
  PumpUntil([&] { return clicks == 1; });
  EXPECT_TRUE(b->Checked());
  EXPECT_FALSE(a->Checked());
  a->SetChecked(true);
  EXPECT_FALSE(b->Checked());
}

TEST_F(Controls, EditHoldsTextAndDrawsItsBorderInTheColourOfItsState) {
  auto* pc = Get<TPageControl>(L"PC");
  pc->SetActivePageIndex(1);
  auto* edit = Get<TEdit>(L"edtDir");
  edit->SetBorderColors(Rgb(0, 200, 0), Rgb(200, 0, 0), Rgb(0, 0, 200), Rgb(120, 120, 120));
  form->SetActiveControl(Get<TCheckBox>(L"cbx"));
  ShowAndSettle(*form);
  EXPECT_EQ(edit->Text(), L"C:\\Velmora\\");
  auto borderAt = [&] {
    ::RedrawWindow(edit->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    Pump(30);
    TPixelBuffer shown = CaptureClient(form->Handle());
    RECT r{};
    ::GetWindowRect(edit->Handle(), &r);
    ::MapWindowPoints(nullptr, form->Handle(), reinterpret_cast<POINT*>(&r), 2);
    return Rgb24(shown, r.left + 50, r.top);  // a pixel of the top edge
  };
  EXPECT_EQ(borderAt(), 0x787878u);  // at rest
  TPoint inside = edit->ClientToScreen({50, 10});
  MoveMouseTo(inside.X, inside.Y);
  PumpUntil([&] { return Application.MouseControl() == edit; });
  EXPECT_EQ(borderAt(), 0x00C800u);  // the pointer over it
  edit->SetFocus();
  EXPECT_EQ(borderAt(), 0xC80000u);  // focused
  edit->SetEnabled(false);
  EXPECT_EQ(borderAt(), 0x0000C8u);  // disabled
  // Read-only: typing changes nothing.
  edit->SetEnabled(true);
  edit->SetFocus();
  TypeKey('A');
  Pump(50);
  EXPECT_EQ(edit->Text(), L"C:\\Velmora\\");
  edit->SetText(L"D:\\下载\\");
  EXPECT_EQ(edit->Text(), L"D:\\下载\\");
}

TEST_F(Controls, CheckBoxToggledByAClick) {
  Get<TPageControl>(L"PC")->SetActivePageIndex(1);
  auto* cbx = Get<TCheckBox>(L"cbx");
  int clicks = 0;
  cbx->OnClick = [&] { ++clicks; };
  cbx->SetChecked(true);
  ShowAndSettle(*form);
  EXPECT_TRUE(cbx->Checked());
  TPoint p = cbx->ClientToScreen({8, 8});
  ClickAt(p.X, p.Y);
  PumpUntil([&] { return clicks == 1; });
  EXPECT_FALSE(cbx->Checked());
}

TEST_F(Controls, RichEditHoldsItsText) {
  auto* mo = Get<TRichEdit>(L"moInfo");
  mo->SetText(L"第一行\r\n第二行");
  Get<TPageControl>(L"PC")->SetActivePageIndex(1);
  ShowAndSettle(*form);
  EXPECT_EQ(mo->Text(), L"第一行\r\n第二行");
  LONG_PTR style = ::GetWindowLongPtrW(mo->Handle(), GWL_STYLE);
  EXPECT_TRUE(style & ES_READONLY);
  mo->Clear();
  EXPECT_EQ(mo->Text(), L"");
}

TEST_F(Controls, FlatButtonColoursAtRestHoveredAndFocused) {
  auto* btn = Get<TModalSpeedButton>(L"sBtnLeft");
  form->SetActiveControl(Get<TModalSpeedButton>(L"sBtnRight"));
  ShowAndSettle(*form);
  auto pixel = [&](int x, int y) {
    Pump(30);
    TPixelBuffer shown = Shown(btn->Handle());
    return Rgb24(shown, x, y);
  };
  EXPECT_EQ(pixel(3, 3), 0x428BCAu);  // Color (66, 139, 202)
  TPoint p = btn->ClientToScreen({30, 15});
  MoveMouseTo(p.X, p.Y);
  PumpUntil([&] { return btn->Hot(); });
  EXPECT_EQ(pixel(3, 3), 0x0E61B9u);  // HotTrackColor (14, 97, 185)
  MoveMouseTo(5, 5);
  PumpUntil([&] { return !btn->Hot(); });
  btn->SetFocus();
  EXPECT_EQ(pixel(3, 3), 0x0E61B9u);  // focused: hot-track fill...
  EXPECT_EQ(pixel(0, 3), 0x77C4EEu);  // ...framed in the focus colour (119, 196, 238)
}

}  // namespace
}  // namespace qs

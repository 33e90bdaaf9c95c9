// The message dialog's geometry: width bands, wrapping, panel growth, heights, button
// placement, the details button and pane.
#include "dialogs/MsgDlgLayout.h"

#include <gtest/gtest.h>

using namespace qs;

namespace {

// Text of a given unwrapped width made of Lines lines. Wrapped narrower, each line breaks into
// as many full-width pieces as needed, plus ExtraLines where breaking at words costs more.
struct TScriptedMeasure : ITextMeasure {
  int Width = 0;
  int LineHeight = 20;
  int Lines = 1;
  int ExtraLines = 0;
  std::wstring Seen;

  TTextExtent Measure(const std::wstring& text) override {
    Seen = text;
    return {Width, LineHeight * Lines};
  }
  int WrappedHeight(const std::wstring&, int width) override {
    if (width >= Width) return LineHeight * Lines;
    return LineHeight * (Lines * ((Width + width - 1) / width) + ExtraLines);
  }
};

}  // namespace

TEST(MsgDlgLayout, FitsWidthWrapAndHeightToTheMessage) {
  struct {
    const char* Name;
    int Width, LineHeight, Lines, ExtraLines;
    int FormWidth, FormHeight, LabelWidth, LabelHeight, MsgPanelHeight;
    bool Wrap;
  } cases[] = {
      {"short notice", 100, 20, 1, 0, 300, 183, 100, 20, 102, false},
      {"empty message", 6, 20, 1, 0, 300, 183, 6, 20, 102, false},
      {"at the narrow band's edge", 213, 20, 1, 0, 300, 183, 213, 20, 102, false},
      {"just past it", 214, 20, 1, 0, 301, 183, 214, 20, 102, false},
      {"W = 300", 300, 20, 1, 0, 387, 183, 300, 20, 102, false},
      {"at the wide band's edge", 413, 20, 1, 0, 500, 183, 413, 20, 102, false},
      {"just past it: wraps", 414, 20, 1, 0, 500, 183, 413, 40, 102, true},
      {"W = 1000, 20 px lines", 1000, 20, 1, 0, 500, 187, 413, 60, 106, true},
      {"three lines of their own", 200, 20, 3, 0, 300, 187, 200, 60, 106, false},
      {"label bottom exactly at 80", 200, 28, 2, 0, 300, 183, 200, 56, 102, false},
      {"word breaks need a line more", 826, 20, 1, 1, 500, 187, 413, 60, 106, true},
      {"line breaks and wrapping", 500, 20, 2, 0, 500, 207, 413, 80, 126, true},
  };
  for (auto& c : cases) {
    TScriptedMeasure measure;
    measure.Width = c.Width;
    measure.LineHeight = c.LineHeight;
    measure.Lines = c.Lines;
    measure.ExtraLines = c.ExtraLines;
    TMsgDlgLayout layout;
    layout.FitMessage(L"text  ", measure);
    EXPECT_EQ(measure.Seen, L"text  ");
    EXPECT_EQ(layout.FormWidth(), c.FormWidth) << c.Name;
    EXPECT_EQ(layout.FormHeight(), c.FormHeight) << c.Name;
    EXPECT_EQ(layout.Label().Left, 67) << c.Name;
    EXPECT_EQ(layout.Label().Top, 14) << c.Name;
    EXPECT_EQ(layout.Label().Width, c.LabelWidth) << c.Name;
    EXPECT_EQ(layout.Label().Height, c.LabelHeight) << c.Name;
    EXPECT_EQ(layout.MsgPanelHeight(), c.MsgPanelHeight) << c.Name;
    EXPECT_EQ(layout.WordWrap(), c.Wrap) << c.Name;
  }
}

TEST(MsgDlgLayout, PlacesTheKindsButtonsFromTheRight) {
  constexpr int kHidden = -1;
  struct {
    uint8_t Kind;
    int MessageWidth;
    int Left, Center, Right;  // kHidden: not shown
    std::wstring_view Title;
    TMsgDlgIcon Icon;
  } cases[] = {
      {mkInformation, 100, 217, kHidden, kHidden, L"提示信息", miInfo},
      {mkError, 300, 304, kHidden, kHidden, L"错误信息", miError},
      {mkWarning, 1000, 417, kHidden, kHidden, L"警告信息", miWarn},
      {mkConfirm, 100, 142, kHidden, 217, L"确认信息", miConfirm},
      {mkYesNoCancel, 100, 67, 142, 217, L"确认信息", miConfirm},
      {mkYesNoCancel, 1000, 267, 342, 417, L"确认信息", miConfirm},
      {mkYesNo, 100, 142, kHidden, 217, L"确认信息", miConfirm},
      {mkYesNo2, 100, 142, kHidden, 217, L"确认信息", miConfirm},
      {7, 100, kHidden, kHidden, kHidden, L"标题", miNone},
      {255, 100, kHidden, kHidden, kHidden, L"标题", miNone},
  };
  for (auto& c : cases) {
    TScriptedMeasure measure;
    measure.Width = c.MessageWidth;
    TMsgDlgLayout layout;
    layout.PrepareLayout(c.Kind, false, L"m  ", measure);
    const int expected[] = {c.Left, c.Center, c.Right};
    for (int b = dbLeft; b <= dbRight; ++b) {
      const TLayoutButton& button = layout.Button(static_cast<TMsgDlgButton>(b));
      EXPECT_EQ(button.Visible, expected[b] != kHidden) << int(c.Kind) << " button " << b;
      if (expected[b] != kHidden) {
        EXPECT_EQ(button.Left, expected[b]) << int(c.Kind) << " button " << b;
        EXPECT_EQ(button.Width, 67);
        EXPECT_EQ(button.Caption, FindKindInfo(c.Kind)->Captions[b]);
      }
    }
    EXPECT_FALSE(layout.Button(dbDetail).Visible) << int(c.Kind);
    EXPECT_EQ(layout.Title(), c.Title) << int(c.Kind);
    EXPECT_EQ(layout.Icon(), c.Icon) << int(c.Kind);
  }
}

TEST(MsgDlgLayout, DetailsButtonStandsLeftOfTheLeftButton) {
  struct {
    uint8_t Kind;
    int FormWidth, Detail, Left;
  } cases[] = {
      {mkInformation, 300, 129, 217},
      {mkConfirm, 300, 54, 142},
      {mkYesNo, 300, 54, 142},
      // Three buttons and the details button: the form widens to keep the 16-pixel margin.
      {mkYesNoCancel, 337, 16, 104},
  };
  for (auto& c : cases) {
    TScriptedMeasure measure;
    measure.Width = 100;
    TMsgDlgLayout layout;
    layout.PrepareLayout(c.Kind, true, L"m  ", measure);
    EXPECT_EQ(layout.FormWidth(), c.FormWidth) << int(c.Kind);
    const TLayoutButton& detail = layout.Button(dbDetail);
    EXPECT_TRUE(detail.Visible);
    EXPECT_EQ(detail.Caption, L"显示详细信息");
    EXPECT_EQ(detail.Width, 80);
    EXPECT_EQ(detail.Left, c.Detail) << int(c.Kind);
    EXPECT_EQ(layout.Button(dbLeft).Left, c.Left) << int(c.Kind);
    EXPECT_EQ(layout.Button(dbLeft).Left - 8 - 80, detail.Left);
    // The rightmost button keeps its 16-pixel margin in the widened form too.
    const TLayoutButton& rightmost = layout.Button(FindKindInfo(c.Kind)->Captions[dbRight].empty() ? dbLeft : dbRight);
    EXPECT_EQ(rightmost.Left + rightmost.Width + 16, layout.FormWidth()) << int(c.Kind);
  }
}

TEST(MsgDlgLayout, DetailsPaneAddsAndRemoves150Pixels) {
  TScriptedMeasure measure;
  measure.Width = 1000;
  TMsgDlgLayout layout;
  layout.PrepareLayout(mkConfirm, true, L"m  ", measure);
  ASSERT_EQ(layout.FormHeight(), 187);
  const int width = layout.FormWidth();
  const int lefts[] = {layout.Button(dbLeft).Left, layout.Button(dbRight).Left, layout.Button(dbDetail).Left};
  for (int round = 0; round < 2; ++round) {
    layout.ToggleDetail();
    EXPECT_TRUE(layout.DetailOpen());
    EXPECT_EQ(layout.FormHeight(), 337);
    EXPECT_EQ(layout.Button(dbDetail).Caption, L"隐藏详细信息");
    layout.ToggleDetail();
    EXPECT_FALSE(layout.DetailOpen());
    EXPECT_EQ(layout.FormHeight(), 187);
    EXPECT_EQ(layout.Button(dbDetail).Caption, L"显示详细信息");
  }
  EXPECT_EQ(layout.FormWidth(), width);
  EXPECT_EQ(layout.Button(dbLeft).Left, lefts[0]);
  EXPECT_EQ(layout.Button(dbRight).Left, lefts[1]);
  EXPECT_EQ(layout.Button(dbDetail).Left, lefts[2]);
}

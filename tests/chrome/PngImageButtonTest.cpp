// The picture buttons on real forms under Wine: sizes taken from pictures, where and how
// a picture is drawn (read back from the screen), the disabled picture, the picture rules
// driven by real mouse input, the radio groups, the caption.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "assets/AssetIds.h"
#include "chrome/PngImageButton.h"
#include "tests/ui/UiTestUtil.h"
#include "ui/Design.h"
#include "ui/Panel.h"

namespace qs {
namespace {

using namespace qs::test;

constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kMagenta = 0xFFFF00FF;

// An RGBA picture of one straight ARGB colour.
TPNGObject Solid(int w, int h, uint32_t argb) {
  TPNGObject p;
  p.CreateBlank(ctRGBAlpha, 8, w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) p.SetPixel(x, y, argb);
  return p;
}

// An RGBA picture of bands of rows: (row count, colour) from the top.
TPNGObject Bands(int w, std::vector<std::pair<int, uint32_t>> rows) {
  int h = 0;
  for (auto& [n, c] : rows) h += n;
  TPNGObject p;
  p.CreateBlank(ctRGBAlpha, 8, w, h);
  int y = 0;
  for (auto& [n, c] : rows)
    for (int i = 0; i < n; ++i, ++y)
      for (int x = 0; x < w; ++x) p.SetPixel(x, y, c);
  return p;
}

class PictureButton : public ::testing::Test {
protected:
  void SetUp() override {
    SetUpApplication();
    form = ShownForm(80, 80, 200, 120);
    panel = form->Make<TPanel>();
    panel->SetParent(form.get());
    panel->SetBounds(10, 10, 180, 100);
    panel->SetColor(Rgb(0, 0, 255));
  }
  template <typename T = TPNGImageButton>
  T* AddButton(int left, int top) {
    auto* b = form->Make<T>();
    b->SetParent(panel);
    b->SetBounds(left, top, b->Width(), b->Height());
    return b;
  }
  // A button's pixels as the screen shows them.
  TPixelBuffer ShownButton(const TControl& b) {
    TPixelBuffer all = Shown(form->Handle());
    TPoint at = b.HostOffset();
    TPixelBuffer out(b.Width(), b.Height());
    for (int y = 0; y < b.Height(); ++y)
      for (int x = 0; x < b.Width(); ++x) out.At(x, y) = all.At(at.X + x, at.Y + y) | 0xFF000000u;
    return out;
  }
  // Screen point of a spot inside a control.
  static TPoint ScreenOf(const TControl& c, int x, int y) { return c.ClientToScreen({x, y}); }

  std::unique_ptr<TForm> form;
  TPanel* panel = nullptr;
};

TEST_F(PictureButton, AutoSizeTakesThePictureSize) {
  auto* b = AddButton(0, 0);
  EXPECT_EQ(b->Width(), 50);
  EXPECT_EQ(b->Height(), 50);
  // From the window's design, as the title buttons are made: the row's 30 x 27 and the
  // picture's agree; a row with another size still ends at the picture's.
  const TDesignRow rows[] = {
      {L"btnSmall", MakeControl<TPNGImageButtonEx>, nullptr, 0, 0, 60, 60,
       {.Cursor = crHandPoint, .Picture = kAssetMinimise, .Picture2 = kAssetMinimiseHover}},
  };
  BuildControls(*panel, rows);
  auto* small = panel->Find<TPNGImageButtonEx>(L"btnSmall");
  ASSERT_NE(small, nullptr);
  EXPECT_EQ(small->Width(), 30);
  EXPECT_EQ(small->Height(), 27);
  EXPECT_EQ(small->PngOver().Width(), 30);
  EXPECT_TRUE(panel->DoubleBuffered());
  // A larger second picture grows the button; a smaller one leaves it.
  small->SetPngOver(Solid(40, 20, kRed));
  EXPECT_EQ(small->Width(), 40);
  EXPECT_EQ(small->Height(), 27);
  small->SetPngUp(Solid(10, 10, kRed));
  EXPECT_EQ(small->Width(), 40);
  // Without AutoSize nothing follows the pictures.
  b->SetAutoSize(false);
  b->SetPngImg(Solid(20, 10, kRed));
  EXPECT_EQ(b->Width(), 50);
}

TEST_F(PictureButton, NaturalSizePictureIsCentredAndALargerOneSqueezed) {
  auto* b = AddButton(10, 10);
  b->SetAutoSize(false);
  b->SetBounds(10, 10, 30, 27);
  b->SetPngImg(Solid(20, 10, kRed));
  auto* big = AddButton(60, 10);
  big->SetAutoSize(false);
  big->SetBounds(60, 10, 30, 27);
  // 40 x 40: left half red, right half green.
  TPNGObject halves = Solid(40, 40, kRed);
  for (int y = 0; y < 40; ++y)
    for (int x = 20; x < 40; ++x) halves.SetPixel(x, y, kGreen);
  big->SetPngImg(halves);
  ShowAndSettle(*form);

  TPixelBuffer shown = ShownButton(*b);
  // (30 + 1 - 20) div 2 = 5, (27 + 1 - 10) div 2 = 9: red on 5..24 x 9..18, the panel around.
  EXPECT_EQ(Rgb24(shown, 5, 9), 0xFF0000u);
  EXPECT_EQ(Rgb24(shown, 24, 18), 0xFF0000u);
  EXPECT_EQ(Rgb24(shown, 4, 9), 0x0000FFu);
  EXPECT_EQ(Rgb24(shown, 5, 8), 0x0000FFu);
  EXPECT_EQ(Rgb24(shown, 25, 18), 0x0000FFu);
  EXPECT_EQ(Rgb24(shown, 24, 19), 0x0000FFu);

  TPixelBuffer squeezed = ShownButton(*big);
  EXPECT_EQ(Rgb24(squeezed, 0, 0), 0xFF0000u);
  EXPECT_EQ(Rgb24(squeezed, 13, 26), 0xFF0000u);
  EXPECT_EQ(Rgb24(squeezed, 16, 26), 0x00FF00u);
  EXPECT_EQ(Rgb24(squeezed, 29, 0), 0x00FF00u);
}

TEST_F(PictureButton, StretchKeepsFixedBordersOnlyWhenTheyFit) {
  // 2 red rows, 4 green, 2 magenta, stretched to 16 rows.
  struct Case {
    int Fixed;
    int RedRows, BlueRows;
  } cases[] = {
      {0, 3, 5},  // plain stretch: row y shows source row round(y / 2)
      {2, 2, 2},  // the borders keep their 2 rows, the middle takes 12
      {8, 3, 5},  // 2 x 8 is not less than 16: plain stretch again
  };
  std::vector<TPNGImageButton*> buttons;
  for (const Case& c : cases) {
    auto* b = AddButton(10 + 20 * static_cast<int>(buttons.size()), 10);
    b->SetAutoSize(false);
    b->SetBounds(b->Left(), 10, 12, 16);
    b->SetStretch(true);
    b->SetFixedHeight(c.Fixed);
    b->SetPngImg(Bands(6, {{2, kRed}, {4, kGreen}, {2, kMagenta}}));
    buttons.push_back(b);
  }
  ShowAndSettle(*form);
  for (size_t i = 0; i < buttons.size(); ++i) {
    SCOPED_TRACE(cases[i].Fixed);
    TPixelBuffer shown = ShownButton(*buttons[i]);
    int red = 0, blue = 0;  // blue: the magenta bottom band
    for (int y = 0; y < 16; ++y) {
      uint32_t px = Rgb24(shown, 6, y);
      red += px == 0xFF0000u;
      blue += px == 0xFF00FFu;
    }
    EXPECT_EQ(red, cases[i].RedRows);
    EXPECT_EQ(blue, cases[i].BlueRows);
  }
}

TEST_F(PictureButton, NegativeFixedSizesAreStoredAsZero) {
  auto* b = AddButton(0, 0);
  b->SetFixedHeight(-3);
  b->SetFixedWidth(-1);
  EXPECT_EQ(b->FixedHeight(), 0);
  EXPECT_EQ(b->FixedWidth(), 0);
}

TEST_F(PictureButton, DisabledButtonShowsThePictureAtOneThirdOpacity) {
  auto* b = AddButton(10, 10);
  b->SetPngImg(Solid(20, 10, kRed));
  ShowAndSettle(*form);
  EXPECT_EQ(Rgb24(ShownButton(*b), 10, 5), 0xFF0000u);

  b->SetEnabled(false);
  ASSERT_FALSE(b->PngDisabled().Empty());
  EXPECT_EQ(b->Current(), &b->PngDisabled());
  uint32_t want = BlendOver(kBlue, Premultiply(0x55FF0000)) & 0xFFFFFF;  // alpha 255 div 3
  EXPECT_TRUE(Near(Rgb24(ShownButton(*b), 10, 5), want, 2)) << std::hex << Rgb24(ShownButton(*b), 10, 5);

  // Enabled again: the normal picture; the made picture stays for the next time.
  b->SetEnabled(true);
  EXPECT_EQ(b->Current(), &b->PngImg());
  EXPECT_EQ(Rgb24(ShownButton(*b), 10, 5), 0xFF0000u);
  EXPECT_EQ(b->PngDisabled().Pixel(0, 0) >> 24, 0x55u);
}

TEST_F(PictureButton, EmptyPictureDrawsADashedPlaceholder) {
  auto* b = AddButton(10, 10);
  b->SetAutoSize(false);
  b->SetBounds(10, 10, 30, 20);
  ShowAndSettle(*form);
  TPixelBuffer shown = ShownButton(*b);
  int black = 0, blue = 0;
  for (int x = 0; x < 30; ++x) {
    black += Rgb24(shown, x, 0) == 0;
    blue += Rgb24(shown, x, 0) == 0x0000FFu;
  }
  EXPECT_GT(black, 5);   // a frame ...
  EXPECT_GT(blue, 2);    // ... with gaps
  EXPECT_EQ(Rgb24(shown, 15, 10), 0x0000FFu);  // clear inside
}

// The program's own title buttons: normal and hovered pictures, nothing else.
TEST_F(PictureButton, TitleButtonPicturesFollowThePointerAndTheClick) {
  auto* b = AddButton<TPNGImageButtonEx>(100, 20);
  b->SetPngImg(Solid(30, 27, kRed));
  b->SetPngOver(Solid(30, 27, kGreen));
  std::vector<std::string> events;
  b->OnClick = [&] { events.push_back("click:" + std::string(b->Current() == &b->PngOver() ? "over" : "other")); };
  b->OnMouseUp = [&](TMouseButton, TShiftState, int, int) { events.push_back("up"); };
  ShowAndSettle(*form);
  TPoint outside = ScreenOf(*panel, 5, 90);
  MoveMouseTo(outside.X, outside.Y);
  Pump(50);

  TPoint inside = ScreenOf(*b, 15, 13);
  MoveMouseTo(inside.X, inside.Y);
  ASSERT_TRUE(PumpUntil([&] { return b->Current() == &b->PngOver(); }));
  EXPECT_EQ(Rgb24(ShownButton(*b), 15, 13), 0x00FF00u);

  ClickAt(inside.X, inside.Y);
  ASSERT_TRUE(PumpUntil([&] { return events.size() == 2; }));
  EXPECT_EQ(events, (std::vector<std::string>{"click:over", "up"}));
  // After the release the normal picture, the pointer still over the button.
  EXPECT_EQ(b->Current(), &b->PngImg());

  MoveMouseTo(outside.X, outside.Y);
  Pump(100);
  EXPECT_EQ(b->Current(), &b->PngImg());
  EXPECT_EQ(Rgb24(ShownButton(*b), 15, 13), 0xFF0000u);
}

TEST_F(PictureButton, OnlyTheLeftButtonChangesPicturesAndFiresEvents) {
  auto* b = AddButton(100, 20);
  b->SetPngImg(Solid(30, 27, kRed));
  b->SetPngDown(Solid(30, 27, kGreen));
  int downs = 0, ups = 0, clicks = 0;
  b->OnMouseDown = [&](TMouseButton, TShiftState, int, int) { ++downs; };
  b->OnMouseUp = [&](TMouseButton, TShiftState, int, int) { ++ups; };
  b->OnClick = [&] { ++clicks; };
  ShowAndSettle(*form);
  TPoint inside = ScreenOf(*b, 15, 13);
  MoveMouseTo(inside.X, inside.Y);
  Pump(50);

  struct Press {
    const char* Name;
    DWORD Down, Up;
  } presses[] = {{"right", MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP},
                 {"middle", MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP}};
  for (const Press& p : presses) {
    SCOPED_TRACE(p.Name);
    SendMouseButton(p.Down);
    Pump(60);
    EXPECT_NE(b->Current(), &b->PngDown());
    SendMouseButton(p.Up);
    Pump(60);
    EXPECT_EQ(downs + ups + clicks, 0);
  }

  // The left button, held: the pressed picture; released: the normal one, and the events.
  SendMouseButton(MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(PumpUntil([&] { return downs == 1; }));
  EXPECT_EQ(b->Current(), &b->PngDown());
  EXPECT_EQ(Rgb24(ShownButton(*b), 15, 13), 0x00FF00u);
  SendMouseButton(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(PumpUntil([&] { return ups == 1; }));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(b->Current(), &b->PngImg());
}

TEST_F(PictureButton, DisabledButtonFiresNothing) {
  auto* b = AddButton(100, 20);
  b->SetPngImg(Solid(30, 27, kRed));
  b->SetPngOver(Solid(30, 27, kGreen));
  int events = 0;
  b->OnMouseEnter = [&] { ++events; };
  b->OnClick = [&] { ++events; };
  b->SetEnabled(false);
  ShowAndSettle(*form);
  TPoint inside = ScreenOf(*b, 15, 13);
  ClickAt(inside.X, inside.Y);
  Pump(100);
  EXPECT_EQ(events, 0);
  EXPECT_EQ(b->Current(), &b->PngDisabled());
}

TEST_F(PictureButton, GroupedButtonsLatchLikeRadioButtons) {
  auto* first = AddButton<TPNGImageButtonEx>(10, 20);
  auto* second = AddButton<TPNGImageButtonEx>(60, 20);
  for (auto* b : {first, second}) {
    b->SetPngImg(Solid(30, 27, kRed));
    b->SetPngDown(Solid(30, 27, kGreen));
    b->SetPngOver(Solid(30, 27, kBlue));
    b->SetGroupIndex(1);
  }
  first->SetDown(true);
  int ups = 0;
  second->OnMouseUp = [&](TMouseButton, TShiftState, int, int) { ++ups; };
  ShowAndSettle(*form);

  TPoint inside = ScreenOf(*second, 15, 13);
  ClickAt(inside.X, inside.Y);
  ASSERT_TRUE(PumpUntil([&] { return second->Down(); }));
  EXPECT_FALSE(first->Down());
  EXPECT_EQ(first->Current(), &first->PngImg());
  EXPECT_EQ(second->Current(), &second->PngDown());
  EXPECT_EQ(ups, 0);  // a latched button's release does nothing

  // Moving out and in again keeps the latched picture.
  TPoint outside = ScreenOf(*panel, 5, 90);
  MoveMouseTo(outside.X, outside.Y);
  Pump(60);
  MoveMouseTo(inside.X, inside.Y);
  Pump(60);
  EXPECT_EQ(second->Current(), &second->PngDown());
  EXPECT_EQ(Rgb24(ShownButton(*second), 15, 13), 0x00FF00u);
  EXPECT_EQ(Rgb24(ShownButton(*first), 15, 13), 0xFF0000u);

  // Setting Down in code releases the others too.
  first->SetDown(true);
  EXPECT_FALSE(second->Down());
}

TEST_F(PictureButton, CaptionIsGreyWhenDisabledAndAbsentWhenEmpty) {
  auto* b = AddButton<TPNGImageButtonEx>(10, 20);
  b->SetAutoSize(false);
  b->SetBounds(10, 20, 120, 30);
  b->SetPngImg(Solid(120, 30, 0xFFFFFFFF));
  b->SetFont(TFont{L"SimSun", 16, clBlack});
  b->SetCaptionOffsetX(4);
  b->SetCaptionOffsetY(2);
  ShowAndSettle(*form);
  auto countColours = [&](uint32_t colour) {
    TPixelBuffer shown = ShownButton(*b);
    int n = 0;
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 120; ++x) n += Rgb24(shown, x, y) == colour;
    return n;
  };
  const uint32_t grey = [] {
    COLORREF c = ::GetSysColor(COLOR_GRAYTEXT);
    return static_cast<uint32_t>(GetRValue(c)) << 16 | GetGValue(c) << 8 | GetBValue(c);
  }();
  EXPECT_EQ(countColours(0xFFFFFFu), 120 * 30);  // no caption, offsets or not

  b->SetCaption(L"重新下载");
  EXPECT_GT(countColours(0x000000u), 10);
  EXPECT_EQ(countColours(grey), 0);

  b->SetEnabled(false);
  EXPECT_GT(countColours(grey), 10);
  EXPECT_EQ(countColours(0x000000u), 0);
}

}  // namespace
}  // namespace qs

// What windows show, read back from the screen: pictures blended with their alpha over a
// coloured panel, stretched and natural-size pictures, keyed pictures, z-order, hidden
// controls, label text in a Chinese font, and a control's own Paint on its parent.
#include <gtest/gtest.h>

#include "tests/ui/UiTestPictures.h"
#include "tests/ui/UiTestUtil.h"
#include "ui/Bitmap.h"
#include "ui/Canvas.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "ui/Panel.h"

namespace qs {
namespace {

using namespace qs::test;

class Paint : public ::testing::Test {
protected:
  void SetUp() override {
    SetUpApplication();
    form = ShownForm(60, 60, 240, 160);
    panel = form->Make<TPanel>();
    panel->SetParent(form.get());
    panel->SetBounds(10, 10, 200, 120);
    panel->SetColor(Rgb(0, 0, 255));
  }
  TImage* AddImage(int id, TRect bounds, bool stretch) {
    auto* img = form->Make<TImage>();
    img->SetParent(panel);
    img->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    EXPECT_TRUE(img->Picture().LoadFromResource(id));
    img->SetStretch(stretch);
    return img;
  }
  std::unique_ptr<TForm> form;
  TPanel* panel = nullptr;
};

TEST_F(Paint, AlphaPictureBlendsOverThePanel) {
  // The 4 x 2 picture stretched to 40 x 20: each of its pixels becomes a 10 x 10 block.
  AddImage(QS_TEST_PNG_RGBA, TRect::Bounds(20, 30, 40, 20), true);
  ShowAndSettle(*form);
  TPixelBuffer shown = Shown(form->Handle());
  TPNGObject pic;
  pic.LoadFromResource(QS_TEST_PNG_RGBA);
  TPixelBuffer premultiplied = pic.ToPixelBuffer();
  uint32_t blue = 0xFF0000FF;
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) {
      uint32_t want = BlendOver(blue, premultiplied.At(x, y)) & 0xFFFFFF;
      // Inside the block, in form coordinates (panel 10 + image 20/30 + block). Scaling
      // rounds i * 4 / 40, so block x covers offsets 10x - 5 to 10x + 4.
      uint32_t got = Rgb24(shown, 10 + 20 + x * 10 + 2, 10 + 30 + y * 10 + 2);
      EXPECT_TRUE(Near(got, want)) << x << "," << y << " got " << std::hex << got << " want " << want;
    }
  // Outside the picture the panel shows, and outside the panel the form.
  EXPECT_EQ(Rgb24(shown, 10 + 100, 10 + 100), 0x0000FFu);
  EXPECT_EQ(Rgb24(shown, 5, 5), 0xFFFFFFu);
}

TEST_F(Paint, NaturalSizeIsCutToTheControlAndStretchFillsIt) {
  // Natural size in a control narrower than the picture: only its left part shows.
  AddImage(QS_TEST_PNG_RGB, TRect::Bounds(0, 0, 1, 2), false);
  // Stretched: the 2 x 2 picture fills 20 x 20.
  AddImage(QS_TEST_PNG_RGB, TRect::Bounds(50, 50, 20, 20), true);
  ShowAndSettle(*form);
  TPixelBuffer shown = Shown(form->Handle());
  EXPECT_EQ(Rgb24(shown, 10, 10), 0x010203u);
  EXPECT_EQ(Rgb24(shown, 11, 10), 0x0000FFu);  // the picture's second column is cut away
  EXPECT_EQ(Rgb24(shown, 10, 11), 0x000000u);
  EXPECT_EQ(Rgb24(shown, 60 + 4, 60 + 4), 0x010203u);
  EXPECT_EQ(Rgb24(shown, 60 + 15, 60 + 4), 0xFAFBFCu);
  EXPECT_EQ(Rgb24(shown, 60 + 4, 60 + 15), 0x000000u);
  EXPECT_EQ(Rgb24(shown, 60 + 15, 60 + 15), 0xFFFFFFu);
}

TEST_F(Paint, TransparentPictureKeysOutItsBottomLeftColour) {
  // Bottom-left of the RGB picture is black: keyed out, the blue panel shows there.
  TImage* img = AddImage(QS_TEST_PNG_RGB, TRect::Bounds(0, 0, 20, 20), true);
  img->SetTransparent(true);
  ShowAndSettle(*form);
  TPixelBuffer shown = Shown(form->Handle());
  EXPECT_EQ(Rgb24(shown, 10 + 4, 10 + 15), 0x0000FFu);
  EXPECT_EQ(Rgb24(shown, 10 + 4, 10 + 4), 0x010203u);
  img->SetTransparent(false);
  shown = Shown(form->Handle());
  EXPECT_EQ(Rgb24(shown, 10 + 4, 10 + 15), 0x000000u);
}

TEST_F(Paint, LaterSiblingsPaintOverEarlierOnesAndHiddenOnesNotAtAll) {
  auto* red = form->Make<TPanel>();
  red->SetParent(panel);
  red->SetBounds(0, 0, 50, 50);
  red->SetColor(Rgb(255, 0, 0));
  auto* green = form->Make<TPanel>();
  green->SetParent(panel);
  green->SetBounds(25, 25, 50, 50);
  green->SetColor(Rgb(0, 255, 0));
  ShowAndSettle(*form);
  TPixelBuffer shown = Shown(form->Handle());
  EXPECT_EQ(Rgb24(shown, 10 + 30, 10 + 30), 0x00FF00u);
  red->BringToFront();
  shown = Shown(form->Handle());
  EXPECT_EQ(Rgb24(shown, 10 + 30, 10 + 30), 0xFF0000u);
  red->Hide();
  shown = Shown(form->Handle());
  EXPECT_EQ(Rgb24(shown, 10 + 30, 10 + 30), 0x00FF00u);
  EXPECT_EQ(Rgb24(shown, 10 + 10, 10 + 10), 0x0000FFu);
}

TEST_F(Paint, LabelTextInAChineseFontIsDrawnInsideTheLabel) {
  auto* label = form->Make<TLabel>();
  label->SetParent(form.get());
  label->SetBounds(10, 135, 10, 10);
  label->SetFont(TFont{L"微软雅黑", 16, clBlack});
  label->SetTransparent(true);
  label->SetAutoSize(true);
  label->SetCaption(L"请选择保存路径");
  // Seven characters of a 16 px Chinese font: roughly 16 px each.
  EXPECT_GE(label->Width(), 7 * 14);
  EXPECT_LE(label->Width(), 7 * 18);
  EXPECT_GE(label->Height(), 16);
  ShowAndSettle(*form);
  TPixelBuffer shown = Shown(form->Handle());
  int dark = 0, strayDark = 0;
  for (int y = 130; y < shown.Height; ++y)
    for (int x = 0; x < shown.Width; ++x) {
      bool isDark = (Rgb24(shown, x, y) & 0xFF) < 100;
      bool inside = label->BoundsRect().Contains({x, y});
      if (isDark && inside) ++dark;
      if (isDark && !inside) ++strayDark;
    }
  // Real glyphs, not boxes or nothing: a good share of the label's pixels are ink.
  EXPECT_GT(dark, 150);
  EXPECT_EQ(strayDark, 0);
}

// A control that paints with the canvas operations on its parent's surface.
class TCross : public TGraphicControl {
protected:
  void Paint(TCanvas& c) override {
    c.Brush.Color = Rgb(255, 255, 0);
    c.FillRect(TRect::Bounds(0, 0, Width(), Height() / 2));  // the lower half is left alone
    c.Pen.Color = clBlack;
    c.MoveTo(0, Height() - 1);
    c.LineTo(Width(), Height() - 1);
  }
};

TEST_F(Paint, GraphicControlPaintsAtItsPlaceAndLeavesTheRestToItsParent) {
  auto* cross = form->Make<TCross>();
  cross->SetParent(panel);
  cross->SetBounds(100, 60, 40, 20);
  ShowAndSettle(*form);
  TPixelBuffer shown = Shown(form->Handle());
  EXPECT_EQ(Rgb24(shown, 110 + 5, 70 + 5), 0xFFFF00u);    // the filled top half
  EXPECT_EQ(Rgb24(shown, 110 + 5, 70 + 14), 0x0000FFu);   // untouched: the panel shows
  EXPECT_EQ(Rgb24(shown, 110 + 5, 70 + 19), 0x000000u);   // the line along its bottom
  EXPECT_EQ(Rgb24(shown, 110 + 5, 70 + 20), 0x0000FFu);   // clipped to the control
}

// Paints the way a picture button does: copies what lies beneath it into a bitmap of its
// own, draws on that bitmap, then puts the bitmap back in one step.
class TBufferedSquare : public TGraphicControl {
public:
  TPixelBuffer Beneath;
protected:
  void Paint(TCanvas& c) override {
    TBitmap buffer(pf32bit);
    buffer.SetSize(Width(), Height());
    buffer.Canvas().CopyRect(ClientRect(), c, ClientRect());
    Beneath = buffer.ToPixelBuffer();
    TPixelBuffer half(1, 1, 0x80000000);  // black at half opacity
    buffer.Canvas().DrawPixels(TRect::Bounds(0, 0, Width(), Height() / 2), half);
    c.Draw(0, 0, buffer);
  }
};

TEST_F(Paint, AControlCanCopyWhatLiesBeneathItAndDrawItBackBlended) {
  auto* square = form->Make<TBufferedSquare>();
  square->SetParent(panel);
  square->SetBounds(40, 40, 20, 20);
  ShowAndSettle(*form);
  TPixelBuffer shown = Shown(form->Handle());
  ASSERT_EQ(square->Beneath.Width, 20);
  EXPECT_EQ(square->Beneath.At(5, 5) & 0xFFFFFF, 0x0000FFu);  // the panel under it
  EXPECT_TRUE(Near(Rgb24(shown, 50 + 5, 50 + 2), 0x00007F));  // blue under half black
  EXPECT_EQ(Rgb24(shown, 50 + 5, 50 + 15), 0x0000FFu);
}

// Fills itself with a brush pattern made from a 2 x 1 bitmap.
class TStriped : public TGraphicControl {
public:
  TBitmap Pattern{pf24bit};
protected:
  void Paint(TCanvas& c) override {
    c.Brush.Bitmap = &Pattern;
    c.FillRect(ClientRect());
    c.Brush.Bitmap = nullptr;
  }
};

TEST_F(Paint, BrushPatternsRepeatABitmap) {
  auto* striped = form->Make<TStriped>();
  TPixelBuffer stripes(8, 8, 0xFF00FF00);  // patterns take 8 x 8 bitmaps
  for (int y = 0; y < 8; ++y)
    for (int x = 1; x < 8; x += 2) stripes.At(x, y) = 0xFFFF0000;
  striped->Pattern.Assign(stripes);
  striped->SetParent(form.get());
  striped->SetBounds(0, 0, 16, 8);
  ShowAndSettle(*form);
  TPixelBuffer shown = Shown(form->Handle());
  for (int x = 0; x < 16; ++x) EXPECT_EQ(Rgb24(shown, x, 3), x % 2 ? 0xFF0000u : 0x00FF00u) << x;
}

}  // namespace
}  // namespace qs

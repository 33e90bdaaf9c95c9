// The drop shadow on real forms under Wine: where its window stands and in which
// z-order, what shows and hides it, what rebuilds its picture and when, its window's
// styles and hit testing, the hook chain it joins and leaves, and the picture it uploads.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "chrome/FormShadow.h"
#include "tests/ui/UiTestUtil.h"

namespace qs {
namespace {

using namespace qs::test;

// A shadow that records its builds and the form message each one happened in.
class TWatchedShadow : public TFormShadow {
public:
  struct TBuild { int Width, Height; uint32_t DuringMsg; };
  std::vector<TBuild> Builds;
  std::vector<uint32_t> FormMessages;

protected:
  void FormWndProc(TMessage& m) override {
    FormMessages.push_back(m.Msg);
    const uint32_t outer = FCurrentMsg;
    FCurrentMsg = m.Msg;
    TFormShadow::FormWndProc(m);
    FCurrentMsg = outer;
  }
  void BuildRectShadow(int width, int height) override {
    Builds.push_back({width, height, FCurrentMsg});
    TFormShadow::BuildRectShadow(width, height);
  }

private:
  uint32_t FCurrentMsg = 0;
};

RECT WindowRect(HWND wnd) {
  RECT r{};
  ::GetWindowRect(wnd, &r);
  return r;
}

bool RectIs(HWND wnd, int left, int top, int width, int height) {
  RECT r = WindowRect(wnd);
  return r.left == left && r.top == top && r.right - r.left == width && r.bottom - r.top == height;
}

std::string Describe(HWND wnd) {
  RECT r = WindowRect(wnd);
  return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right - r.left) + "x" +
         std::to_string(r.bottom - r.top) + (::IsWindowVisible(wnd) ? " visible" : " hidden");
}

// The window right below wnd in the z-order.
HWND Below(HWND wnd) { return ::GetWindow(wnd, GW_HWNDNEXT); }

class FormShadow : public ::testing::Test {
protected:
  void SetUp() override {
    SetUpApplication();
    CaughtExceptions().clear();
  }
  void TearDown() override { EXPECT_TRUE(CaughtExceptions().empty()); }

  // A white form with a shadow attached as the program's windows do it: attached on
  // creation, switched on when shown; waits until the shadow stands behind it.
  // beforeShadow runs on the form before the shadow attaches (a hook of the form's own).
  void ShowFormWithShadow(int x = 100, int y = 100, int w = 620, int h = 416,
                          const std::function<void()>& beforeShadow = {}) {
    Form = ShownForm(x, y, w, h);
    if (beforeShadow) beforeShadow();
    Shadow = Form->Make<TWatchedShadow>();
    Shadow->SetForm(Form.get());
    Form->OnShow = [this] { Shadow->SetActive(true); };
    ShowAndSettle(*Form);
    ASSERT_TRUE(PumpUntil([&] { return ShadowAt(x, y, w, h) && ::IsWindowVisible(ShadowWnd()); }))
        << Describe(ShadowWnd());
    SettleZOrder();
  }
  HWND ShadowWnd() { return Shadow->Handle(); }
  // Under Wine a newly shown shadow may stand above its form for a moment, until its
  // refresh tick (200 ms) puts it back; the order is judged after that.
  bool SettleZOrder() { return PumpUntil([&] { return Below(FormWnd()) == ShadowWnd(); }, 1000); }
  std::string ZOrder() {
    std::string out;
    for (HWND w = ::GetTopWindow(nullptr); w; w = ::GetWindow(w, GW_HWNDNEXT)) {
      wchar_t cls[64] = {};
      ::GetClassNameW(w, cls, 64);
      char buf[160];
      snprintf(buf, sizeof buf, "%p %ls%s%s%s\n", (void*)w, cls, ::IsWindowVisible(w) ? " visible" : "",
               w == FormWnd() ? " FORM" : "", w == ShadowWnd() ? " SHADOW" : "");
      out += buf;
    }
    return out;
  }
  HWND FormWnd() { return Form->Handle(); }
  bool ShadowAt(int x, int y, int w, int h) { return RectIs(ShadowWnd(), x - 16, y - 16, w + 32, h + 32); }
  bool ShadowVisible() { return ::IsWindowVisible(ShadowWnd()) != FALSE; }

  std::unique_ptr<TForm> Form;
  TWatchedShadow* Shadow = nullptr;
};

TEST_F(FormShadow, StandsSixteenPixelsOutDirectlyBehindTheForm) {
  ShowFormWithShadow(100, 100, 620, 416);
  EXPECT_TRUE(RectIs(ShadowWnd(), 84, 84, 652, 448)) << Describe(ShadowWnd());
  EXPECT_EQ(Shadow->ShadowBitmap().Width, 652);
  EXPECT_EQ(Shadow->ShadowBitmap().Height, 448);
  EXPECT_EQ(Below(FormWnd()), ShadowWnd()) << ZOrder();
  // The pointer over the form: its events go to the form, which stays above its shadow.
  for (TPoint p : {TPoint{300, 300}, TPoint{500, 200}, TPoint{90, 300}}) {
    MoveMouseTo(p.X, p.Y);
    Pump(60);
    EXPECT_EQ(Below(FormWnd()), ShadowWnd()) << p.X << "," << p.Y << "\n" << ZOrder();
  }
  EXPECT_TRUE(Shadow->Engaged());
  EXPECT_TRUE(Shadow->Tracking());
}

TEST_F(FormShadow, FollowsAMoveWithoutRebuildingThePicture) {
  ShowFormWithShadow(100, 100, 300, 200);
  Pump(300);  // the refresh copies the form's picture
  const size_t builds = Shadow->Builds.size();
  for (TPoint to : {TPoint{250, 180}, TPoint{40, 300}, TPoint{41, 299}}) {
    Form->SetBounds(to.X, to.Y, 300, 200);
    Pump(30);
    EXPECT_TRUE(ShadowAt(to.X, to.Y, 300, 200)) << Describe(ShadowWnd());
    EXPECT_TRUE(ShadowVisible());
    EXPECT_EQ(Below(FormWnd()), ShadowWnd());
  }
  EXPECT_EQ(Shadow->Builds.size(), builds);
}

TEST_F(FormShadow, ShrinkingRebuildsWhileChangingAndGrowingAfterwards) {
  ShowFormWithShadow(100, 100, 400, 300);
  Shadow->Builds.clear();
  Form->SetBounds(100, 100, 300, 250);
  Pump(30);
  ASSERT_FALSE(Shadow->Builds.empty());
  EXPECT_EQ(Shadow->Builds.front().DuringMsg, static_cast<uint32_t>(WM_WINDOWPOSCHANGING));
  EXPECT_EQ(Shadow->Builds.front().Width, 300);
  EXPECT_TRUE(ShadowAt(100, 100, 300, 250)) << Describe(ShadowWnd());
  EXPECT_EQ(Shadow->ShadowBitmap().Width, 332);

  Shadow->Builds.clear();
  Form->SetBounds(120, 90, 500, 350);
  Pump(30);
  ASSERT_FALSE(Shadow->Builds.empty());
  EXPECT_EQ(Shadow->Builds.front().DuringMsg, static_cast<uint32_t>(WM_WINDOWPOSCHANGED));
  EXPECT_TRUE(ShadowAt(120, 90, 500, 350)) << Describe(ShadowWnd());
  EXPECT_EQ(Shadow->ShadowBitmap().Height, 382);
  EXPECT_TRUE(SettleZOrder()) << ZOrder();
}

TEST_F(FormShadow, ShrinkingWithoutAMoveKeepsTheShadowAtTheForm) {
  // SetWindowPos with SWP_NOMOVE leaves the record's x and y at 0: the shadow is placed
  // from where the form is.
  ShowFormWithShadow(200, 150, 400, 300);
  ::SetWindowPos(FormWnd(), nullptr, 0, 0, 350, 260, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Pump(30);
  EXPECT_TRUE(ShadowAt(200, 150, 350, 260)) << Describe(ShadowWnd());
}

TEST_F(FormShadow, HiddenWithTheFormAndShownAgainWithIt) {
  ShowFormWithShadow();
  struct TCase {
    const char* Name;
    std::function<void()> Leave, Back;
  } cases[] = {
      {"hide", [&] { Form->Hide(); }, [&] { Form->Show(); }},
      {"minimise", [&] { Form->SetWindowState(wsMinimized); }, [&] { Form->SetWindowState(wsNormal); }},
      {"maximise", [&] { Form->SetWindowState(wsMaximized); }, [&] { Form->SetWindowState(wsNormal); }},
  };
  for (const TCase& c : cases) {
    c.Leave();
    EXPECT_TRUE(PumpUntil([&] { return !ShadowVisible(); }, 1000)) << c.Name << ": " << Describe(ShadowWnd()) << "\n" << ZOrder();
    Pump(100);
    EXPECT_FALSE(ShadowVisible()) << c.Name << " (came back)";
    c.Back();
    EXPECT_TRUE(PumpUntil([&] { return ShadowVisible(); }, 1000)) << c.Name << ": not shown again";
    EXPECT_TRUE(PumpUntil([&] { return ShadowAt(100, 100, 620, 416); }, 1000)) << c.Name << ": " << Describe(ShadowWnd());
    EXPECT_TRUE(SettleZOrder()) << c.Name << "\n" << ZOrder();
  }
}

TEST_F(FormShadow, AFormHiddenBehindTheHooksBackLosesItsShadowAtTheWatchdog) {
  ShowFormWithShadow(100, 100, 200, 150);
  // Clearing WS_VISIBLE sends no position message: only the 5 s watchdog notices.
  ::SetWindowLongPtrW(FormWnd(), GWL_STYLE, ::GetWindowLongPtrW(FormWnd(), GWL_STYLE) & ~WS_VISIBLE);
  EXPECT_TRUE(PumpUntil([&] { return !ShadowVisible(); }, 7000));
  EXPECT_FALSE(Shadow->Tracking());
}

TEST_F(FormShadow, IsAClickThroughToolWindowThatIsNeverActivated) {
  auto below = ShownForm(0, 0, 900, 700);
  int belowClicks = 0;
  below->OnMouseDown = [&](TMouseButton, TShiftState, int, int) { ++belowClicks; };
  ShowAndSettle(*below);
  ShowFormWithShadow(200, 200, 300, 200);

  const LONG_PTR ex = ::GetWindowLongPtrW(ShadowWnd(), GWL_EXSTYLE);
  EXPECT_EQ(ex, static_cast<LONG_PTR>(WS_EX_TOOLWINDOW | WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE));
  // The system gives every top-level window WS_CLIPSIBLINGS.
  EXPECT_EQ(static_cast<DWORD>(::GetWindowLongPtrW(ShadowWnd(), GWL_STYLE)) & ~(WS_VISIBLE | WS_CLIPSIBLINGS),
            static_cast<DWORD>(WS_POPUP));
  EXPECT_EQ(::GetClassLongPtrW(ShadowWnd(), GCL_STYLE), static_cast<ULONG_PTR>(CS_DBLCLKS | CS_OWNDC));
  EXPECT_EQ(::GetWindow(ShadowWnd(), GW_OWNER), nullptr);
  EXPECT_EQ(::SendMessageW(ShadowWnd(), WM_NCHITTEST, 0, MAKELPARAM(190, 250)), HTTRANSPARENT);

  const POINT rim{190, 250};  // 10 px left of the form, over the shadow's rim
  EXPECT_EQ(::WindowFromPoint(rim), below->Handle());
  ClickAt(rim.x, rim.y);
  EXPECT_TRUE(PumpUntil([&] { return belowClicks == 1; }, 1000));
  EXPECT_NE(::GetActiveWindow(), ShadowWnd());
  EXPECT_NE(::GetForegroundWindow(), ShadowWnd());
  ClickAt(300, 300);  // on the form itself
  EXPECT_NE(::GetActiveWindow(), ShadowWnd());
  EXPECT_TRUE(SettleZOrder()) << ZOrder();
}

TEST_F(FormShadow, UploadsARimThatFadesOutAndTheFormsPictureUnderIt) {
  ShowFormWithShadow(100, 100, 300, 200);
  const TPixelBuffer& pic = Shadow->ShadowBitmap();
  // The form's picture arrives 200 ms after the last size change.
  ASSERT_TRUE(PumpUntil([&] { return pic.At(16 + 150, 16 + 100) == 0xFFFFFFFFu; }, 2000));
  EXPECT_EQ(pic.At(16, 16), 0xFFFFFFFFu);
  EXPECT_EQ(pic.At(16 + 299, 16 + 199), 0xFFFFFFFFu);
  const int midRow = 16 + 100;
  EXPECT_EQ(AlphaOf(pic.At(15, midRow)), 116u);
  EXPECT_EQ(AlphaOf(pic.At(0, midRow)), 0u);
  EXPECT_EQ(AlphaOf(pic.At(pic.Width - 16, midRow)), 116u);
  EXPECT_EQ(AlphaOf(pic.At(150, 15)), 143u);
  EXPECT_EQ(AlphaOf(pic.At(150, pic.Height - 16)), 86u);
  EXPECT_EQ(pic.At(150, 15) & 0xFFFFFF, 0u);  // black, premultiplied
}

TEST_F(FormShadow, ColourSetAfterTheFirstBuildLeavesTheShadowAsItIs) {
  ShowFormWithShadow(100, 100, 300, 200);
  const std::vector<uint32_t> before = Shadow->ShadowBitmap().Pixels;
  Shadow->SetShadowColor(clRed);
  Form->SetBounds(100, 100, 320, 220);  // a rebuild uses the template made in black
  Pump(30);
  EXPECT_EQ(Shadow->ShadowBitmap().At(15, 16 + 100), before[static_cast<size_t>(16 + 100) * 332 + 15]);
  EXPECT_EQ(Shadow->ShadowColor(), clRed);
}

TEST_F(FormShadow, JoinsTheHookChainAndLeavesItIntact) {
  Form = ShownForm(100, 100, 200, 150);
  std::vector<uint32_t> seen;
  TWndMethod formOwn = Form->WindowProc();
  Form->SetWindowProc([&](TMessage& m) {
    seen.push_back(m.Msg);
    formOwn(m);
  });
  Shadow = Form->Make<TWatchedShadow>();
  Shadow->SetForm(Form.get());
  constexpr uint32_t kProbe = WM_APP + 7;
  Form->Perform(kProbe);
  EXPECT_EQ(std::count(Shadow->FormMessages.begin(), Shadow->FormMessages.end(), kProbe), 1);
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.back(), kProbe);  // passed on to the hook it replaced

  Shadow->SetForm(nullptr);
  seen.clear();
  Form->Perform(kProbe);
  EXPECT_EQ(std::count(Shadow->FormMessages.begin(), Shadow->FormMessages.end(), kProbe), 1);  // detached
  EXPECT_EQ(seen, (std::vector<uint32_t>{kProbe}));
}

TEST_F(FormShadow, AResizeNoticeWhileTheFormIsHiddenStopsAtTheShadow) {
  std::vector<uint32_t> seen;  // what reaches the hook the shadow replaced
  ShowFormWithShadow(100, 100, 300, 200, [&] {
    Form->SetWindowProc([&seen, formOwn = Form->WindowProc()](TMessage& m) {
      seen.push_back(m.Msg);
      formOwn(m);
    });
  });
  const LPARAM size = MAKELPARAM(300, 200);
  struct TCase {
    const char* Name;
    bool Shown;
  } cases[] = {{"shown", true}, {"hidden", false}};
  for (const TCase& c : cases) {
    if (!c.Shown) Form->Hide();
    ASSERT_TRUE(PumpUntil([&] { return ShadowVisible() == c.Shown; }, 1000)) << c.Name;
    seen.clear();
    Form->Perform(WM_SIZE, SIZE_RESTORED, size);
    EXPECT_EQ(std::count(seen.begin(), seen.end(), static_cast<uint32_t>(WM_SIZE)), c.Shown ? 1 : 0) << c.Name;
    Pump(50);
    EXPECT_EQ(ShadowVisible(), c.Shown) << c.Name;
  }
}

TEST_F(FormShadow, SwitchedOffItHidesAndPassesEverythingThrough) {
  ShowFormWithShadow(100, 100, 300, 200);
  Shadow->SetActive(false);
  EXPECT_FALSE(ShadowVisible());
  EXPECT_FALSE(Shadow->Engaged());
  Form->SetBounds(150, 150, 300, 200);
  Pump(300);
  EXPECT_FALSE(ShadowVisible());
  EXPECT_EQ(Form->Left(), 150);  // the form's own handling still ran
}

TEST_F(FormShadow, GoesWithTheFormThatOwnsIt) {
  ShowFormWithShadow(100, 100, 300, 200);
  HWND shadowWnd = ShadowWnd();
  Form.reset();
  Pump(50);
  EXPECT_FALSE(::IsWindow(shadowWnd));
}

TEST_F(FormShadow, AShadowFreedBeforeItsFormGivesTheFormItsHookBack) {
  Form = ShownForm(100, 100, 300, 200);
  auto shadow = std::make_unique<TWatchedShadow>();
  shadow->SetForm(Form.get());
  shadow->SetActive(true);
  ShowAndSettle(*Form);
  ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(shadow->Handle()) != FALSE; }));
  HWND shadowWnd = shadow->Handle();
  shadow.reset();
  EXPECT_FALSE(::IsWindow(shadowWnd));
  Form->SetBounds(160, 140, 280, 190);
  Form->Perform(WM_APP + 7);
  Pump(300);
  EXPECT_EQ(Form->Left(), 160);
  EXPECT_EQ(Form->Width(), 280);
}

}  // namespace
}  // namespace qs

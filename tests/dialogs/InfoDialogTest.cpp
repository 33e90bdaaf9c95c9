// The download failure prompt with real clicks and keys: the code of each choice, Alt+F4
// and the system's close command giving 0, a fresh window per call, the designed place and
// size, dragging by the free part of the title bar only, and its shadow.
#include "app/InfoDialog.h"

#include <gtest/gtest.h>

#include "tests/dialogs/DialogDriver.h"
#include "tests/ui/UiTestUtil.h"

namespace qs {
namespace {

using namespace qs::test;

const wchar_t kTitle[] = L"frm_Info";

// Points of the design, from the window's top-left corner.
constexpr POINT kReLoad{331 + 33, 120 + 8 + 13};
constexpr POINT kUseIE{19 + 52, 120 + 15 + 8};
constexpr POINT kClose{332 + 51 + 15, 13};

class InfoDialog : public ::testing::Test {
protected:
  void SetUp() override {
    SetUpApplication();
    CaughtExceptions().clear();
  }
  void TearDown() override { EXPECT_TRUE(CaughtExceptions().empty()); }
};

void ClickIn(HWND wnd, POINT p) {
  RECT r = RectOf(wnd);
  InputClick(r.left + p.x, r.top + p.y);
}

TEST_F(InfoDialog, EachWayOutGivesItsCode) {
  enum TWay { wyReLoad, wyUseIE, wyClose, wyAltF4, wyCloseMessage };
  struct { TWay Way; int32_t Expected; } cases[] = {
      {wyReLoad, 2}, {wyUseIE, 1}, {wyClose, 0}, {wyAltF4, 0}, {wyCloseMessage, 0},
  };
  for (auto& c : cases) {
    bool found = false;
    int32_t code = WithDriver(
        kTitle,
        [&](HWND prompt, DWORD) {
          switch (c.Way) {
            case wyReLoad: ClickIn(prompt, kReLoad); break;
            case wyUseIE: ClickIn(prompt, kUseIE); break;
            case wyClose: ClickIn(prompt, kClose); break;
            case wyAltF4: InputKey(VK_F4, {VK_MENU}); break;
            case wyCloseMessage: ::PostMessageW(prompt, WM_SYSCOMMAND, SC_CLOSE, 0); break;
          }
        },
        [] { return ShowInfoDlg(); }, &found);
    EXPECT_TRUE(found) << c.Way;
    EXPECT_EQ(code, c.Expected) << c.Way;
  }
}

TEST_F(InfoDialog, EveryCallStartsAFreshPromptAtZero) {
  HWND first = nullptr, second = nullptr;
  int32_t a = WithDriver(kTitle, [&](HWND p, DWORD) { first = p; ClickIn(p, kReLoad); }, [] { return ShowInfoDlg(); });
  EXPECT_FALSE(::IsWindow(first));
  int32_t b = WithDriver(kTitle, [&](HWND p, DWORD) { second = p; InputKey(VK_F4, {VK_MENU}); },
                         [] { return ShowInfoDlg(); });
  EXPECT_FALSE(::IsWindow(second));
  EXPECT_EQ(a, 2);
  EXPECT_EQ(b, 0);
}

TEST_F(InfoDialog, ShowsAsDesignedWithItsShadowBehind) {
  RECT rect{};
  uint32_t title = 0, body = 0, bar = 0;
  HWND shadow = nullptr;
  WithDriver(
      kTitle,
      [&](HWND prompt, DWORD) {
        rect = RectOf(prompt);
        ::Sleep(100);  // painted
        TPixelBuffer shown = CaptureClient(prompt);
        title = Rgb24(shown, 150, 3);
        body = Rgb24(shown, 250, 110);
        bar = Rgb24(shown, 200, 155);
        WaitFor([&] { return (shadow = ShadowBehind(prompt)) != nullptr; });
        ClickIn(prompt, kClose);
      },
      [] { return ShowInfoDlg(); });
  EXPECT_EQ(rect.left, 482);
  EXPECT_EQ(rect.top, 281);
  EXPECT_EQ(rect.right - rect.left, 413);
  EXPECT_EQ(rect.bottom - rect.top, 161);
  // The blue title bar (pixels read back as 0xRRGGBB).
  EXPECT_GT(title & 0xFF, 150u);
  EXPECT_LT(title >> 16, 100u);
  EXPECT_EQ(body, 0xFFFFFFu);
  EXPECT_EQ(bar, 0xF0F3F7u);
  ASSERT_NE(shadow, nullptr);
  EXPECT_FALSE(::IsWindow(shadow));  // gone with the prompt
}

TEST_F(InfoDialog, OnlyTheFreePartOfTheTitleBarDragsIt) {
  struct {
    POINT Press;
    bool Drags;
    const char* What;
  } cases[] = {
      {{200, 17}, true, "free title bar"},
      {{30, 15}, false, "title text"},
      {{330, 31}, false, "right-hand panel"},
  };
  for (auto& c : cases) {
    RECT before{}, after{};
    WithDriver(
        kTitle,
        [&](HWND prompt, DWORD) {
          before = RectOf(prompt);
          InputMouseTo(before.left + c.Press.x, before.top + c.Press.y);
          InputMouseButton(MOUSEEVENTF_LEFTDOWN);
          for (int step = 1; step <= 4; ++step) InputMouseTo(before.left + c.Press.x - 10 * step, before.top + c.Press.y + 5 * step);
          InputMouseButton(MOUSEEVENTF_LEFTUP);
          if (c.Drags) WaitFor([&] { return RectOf(prompt).left != before.left; }, 2000);
          else ::Sleep(200);  // a wrong drag would have moved it by now
          after = RectOf(prompt);
          InputKey(VK_F4, {VK_MENU});
        },
        [] { return ShowInfoDlg(); });
    EXPECT_EQ(after.left - before.left, c.Drags ? -40 : 0) << c.What;
    EXPECT_EQ(after.top - before.top, c.Drags ? 20 : 0) << c.What;
  }
}

}  // namespace
}  // namespace qs

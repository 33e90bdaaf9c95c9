// The control tree with real windows and real input: hit testing, the enter/leave
// notices as the pointer moves, the order of mouse events and clicks, the WindowProc
// hook chain, alignment and anchors after a resize, the notices CM_ENABLEDCHANGED and
// CM_SHOWINGCHANGED, and exceptions stopped at the window procedure.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/ui/UiTestUtil.h"
#include "ui/ModalSpeedButton.h"
#include "ui/Panel.h"

namespace qs {
namespace {

using namespace qs::test;

class ControlTree : public ::testing::Test {
protected:
  void SetUp() override {
    SetUpApplication();
    CaughtExceptions().clear();
    form = ShownForm(100, 100, 300, 200);
  }
  template <typename T = TPanel>
  T* Add(TControl* parent, int x, int y, int w, int h, const wchar_t* name) {
    auto* c = form->Make<T>();
    c->SetName(name);
    c->SetParent(parent);
    c->SetBounds(x, y, w, h);
    return c;
  }
  // Records the notices and mouse messages a control's hook sees, then passes them on.
  void Watch(TControl* c) {
    TWndMethod old = c->WindowProc();
    c->SetWindowProc([this, c, old](TMessage& m) {
      std::wstring n = c->Name();
      if (m.Msg == CM_MOUSEENTER) log.push_back(n + L"+");
      if (m.Msg == CM_MOUSELEAVE) log.push_back(n + L"-");
      old(m);
    });
  }
  // Screen position of a point of the form.
  void MoveTo(int x, int y) { MoveMouseTo(100 + x, 100 + y); Pump(30); }
  std::unique_ptr<TForm> form;
  std::vector<std::wstring> log;
};

TEST_F(ControlTree, HitTestingFindsTheTopMostVisibleEnabledControl) {
  TPanel* outer = Add(form.get(), 10, 10, 100, 100, L"outer");
  TPanel* inner = Add(outer, 10, 10, 50, 50, L"inner");
  TPanel* over = Add(outer, 40, 40, 50, 50, L"over");
  struct TCase { TPoint P; TControl* Want; } cases[] = {
      {{15, 15}, outer},       // the outer panel outside its children
      {{25, 25}, inner},
      {{55, 55}, over},        // overlapping: the later sibling is on top
      {{200, 150}, form.get()},
      {{300, 10}, nullptr},    // outside the form
  };
  for (auto c : cases) EXPECT_EQ(form->ControlAt(c.P, false), c.Want) << c.P.X << "," << c.P.Y;
  over->SetEnabled(false);
  EXPECT_EQ(form->ControlAt({55, 55}, false), inner);  // input passes a disabled control
  EXPECT_EQ(form->ControlAt({55, 55}, true), over);
  over->Hide();
  EXPECT_EQ(form->ControlAt({55, 55}, true), inner);
}

TEST_F(ControlTree, EnterAndLeaveFollowThePointerAcrossControlsAndWindows) {
  TPanel* a = Add(form.get(), 10, 10, 80, 80, L"a");
  TPanel* b = Add(a, 20, 20, 30, 30, L"b");
  auto* btn = Add<TModalSpeedButton>(form.get(), 150, 10, 80, 30, L"btn");
  Watch(a);
  Watch(b);
  Watch(btn);
  ShowAndSettle(*form);
  MoveTo(200, 150);  // the form itself
  log.clear();
  MoveTo(15, 15);    // into a
  MoveTo(40, 40);    // into b, which lies on a
  MoveTo(15, 15);    // back to a
  MoveTo(160, 20);   // onto the windowed button
  MoveTo(250, 150);  // back onto the form
  MoveTo(160, 20);
  MoveMouseTo(900, 700);  // off every window of ours
  PumpUntil([&] { return !log.empty() && log.back() == L"btn-"; });
  std::vector<std::wstring> want = {L"a+", L"a-", L"b+", L"b-", L"a+", L"a-", L"btn+", L"btn-", L"btn+", L"btn-"};
  EXPECT_EQ(log, want);
  EXPECT_EQ(Application.MouseControl(), nullptr);
}

TEST_F(ControlTree, ClickComesBeforeMouseUpAndOnlyForAReleaseOverTheControl) {
  TPanel* p = Add(form.get(), 10, 10, 80, 80, L"p");
  p->OnMouseDown = [&](TMouseButton b, TShiftState, int x, int y) {
    log.push_back(L"down" + std::to_wstring(b) + L"@" + std::to_wstring(x) + L"," + std::to_wstring(y));
  };
  p->OnMouseUp = [&](TMouseButton b, TShiftState, int, int) { log.push_back(L"up" + std::to_wstring(b)); };
  // A click runs with the mouse already given back: a handler that runs long leaves the
  // window's other controls usable.
  p->OnClick = [&] { log.push_back(::GetCapture() ? L"click, mouse still held" : L"click"); };
  ShowAndSettle(*form);
  ClickAt(100 + 15, 100 + 17);
  PumpUntil([&] { return log.size() >= 3; });
  EXPECT_EQ(log, (std::vector<std::wstring>{L"down0@5,7", L"click", L"up0"}));
  // Pressed on it, released elsewhere: the control still gets the release (it holds the
  // mouse), but there is no click.
  log.clear();
  MoveTo(20, 20);
  SendMouseButton(MOUSEEVENTF_LEFTDOWN);
  Pump(50);
  MoveTo(200, 150);
  SendMouseButton(MOUSEEVENTF_LEFTUP);
  PumpUntil([&] { return log.size() >= 2; });
  EXPECT_EQ(log, (std::vector<std::wstring>{L"down0@10,10", L"up0"}));
  // The right button: down and up, never a click.
  log.clear();
  ClickAt(100 + 20, 100 + 20, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
  PumpUntil([&] { return log.size() >= 2; });
  EXPECT_EQ(log, (std::vector<std::wstring>{L"down1@10,10", L"up1"}));
}

TEST_F(ControlTree, ASecondHookSeesEveryMessageFirstAndDecidesWhetherToPassItOn) {
  TPanel* p = Add(form.get(), 10, 10, 80, 80, L"p");
  int downs = 0;
  p->OnMouseDown = [&](TMouseButton, TShiftState, int, int) { ++downs; };
  TWndMethod original = p->WindowProc();
  std::vector<uint32_t> seen;
  bool swallow = true;
  p->SetWindowProc([&](TMessage& m) {
    seen.push_back(m.Msg);
    if (m.Msg == WM_LBUTTONDOWN && swallow) return;
    original(m);
  });
  ShowAndSettle(*form);
  ClickAt(100 + 20, 100 + 20);
  PumpUntil([&] { return std::count(seen.begin(), seen.end(), WM_LBUTTONUP) > 0; });
  EXPECT_EQ(downs, 0);  // swallowed by the hook
  EXPECT_NE(std::find(seen.begin(), seen.end(), CM_MOUSEENTER), seen.end());
  swallow = false;
  ClickAt(100 + 20, 100 + 21);
  PumpUntil([&] { return downs == 1; });
  EXPECT_EQ(downs, 1);
  // Putting the original back detaches the hook.
  p->SetWindowProc(original);
  size_t count = seen.size();
  ClickAt(100 + 20, 100 + 22);
  PumpUntil([&] { return downs == 2; });
  EXPECT_EQ(seen.size(), count);
}

TEST_F(ControlTree, AFormsHookChainedFirstSeesTheFormsNewBounds) {
  ShowAndSettle(*form);
  TWndMethod old = form->WindowProc();
  std::vector<TRect> afterOwnHandling;
  form->SetWindowProc([&](TMessage& m) {
    old(m);
    if (m.Msg == WM_WINDOWPOSCHANGED) afterOwnHandling.push_back(form->BoundsRect());
  });
  // Moved by the system, not through the form.
  ::SetWindowPos(form->Handle(), nullptr, 130, 140, 320, 210, SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_FALSE(afterOwnHandling.empty());
  EXPECT_EQ(afterOwnHandling.back(), TRect::Bounds(130, 140, 320, 210));
  form->SetWindowProc(old);
}

TEST_F(ControlTree, AlignAndAnchorsFollowAResize) {
  TPanel* top = Add(form.get(), 0, 0, 10, 30, L"top");
  top->SetAlign(alTop);
  TPanel* bottom = Add(form.get(), 0, 0, 10, 40, L"bottom");
  bottom->SetAlign(alBottom);
  TPanel* client = Add(form.get(), 0, 0, 10, 10, L"client");
  client->SetAlign(alClient);
  TPanel* corner = Add(top, 270, 5, 20, 20, L"corner");
  corner->SetAnchors(akTop | akRight);
  TPanel* inClient = Add(client, 10, 10, 280, 110, L"inClient");
  inClient->SetAnchors(akAll);
  EXPECT_EQ(top->BoundsRect(), TRect::Bounds(0, 0, 300, 30));
  EXPECT_EQ(bottom->BoundsRect(), TRect::Bounds(0, 160, 300, 40));
  EXPECT_EQ(client->BoundsRect(), TRect::Bounds(0, 30, 300, 130));
  ShowAndSettle(*form);
  // Resized by the system (as a user would): the tree follows the window.
  ::SetWindowPos(form->Handle(), nullptr, 0, 0, 400, 260, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(form->Width(), 400);
  EXPECT_EQ(top->BoundsRect(), TRect::Bounds(0, 0, 400, 30));
  EXPECT_EQ(bottom->BoundsRect(), TRect::Bounds(0, 220, 400, 40));
  EXPECT_EQ(client->BoundsRect(), TRect::Bounds(0, 30, 400, 190));
  EXPECT_EQ(corner->BoundsRect(), TRect::Bounds(370, 5, 20, 20));
  EXPECT_EQ(inClient->BoundsRect(), TRect::Bounds(10, 10, 380, 170));
  // Hiding an aligned control gives its room to the client one.
  bottom->Hide();
  EXPECT_EQ(client->BoundsRect(), TRect::Bounds(0, 30, 400, 230));
  // Growing an aligned control pushes the next one down.
  top->SetHeight(50);
  EXPECT_EQ(client->BoundsRect(), TRect::Bounds(0, 50, 400, 210));
}

TEST_F(ControlTree, NoticesAreSentOncePerChange) {
  TPanel* p = Add(form.get(), 10, 10, 80, 80, L"p");
  std::vector<uint32_t> panelSeen, formSeen;
  std::vector<bool> showingAtNotice;
  TWndMethod oldPanel = p->WindowProc(), oldForm = form->WindowProc();
  p->SetWindowProc([&](TMessage& m) { panelSeen.push_back(m.Msg); oldPanel(m); });
  form->SetWindowProc([&](TMessage& m) {
    oldForm(m);
    if (m.Msg == CM_SHOWINGCHANGED) showingAtNotice.push_back(::IsWindowVisible(form->Handle()) != FALSE);
  });
  p->SetEnabled(false);
  p->SetEnabled(false);
  p->SetEnabled(true);
  EXPECT_EQ(std::count(panelSeen.begin(), panelSeen.end(), CM_ENABLEDCHANGED), 2);
  ShowAndSettle(*form);
  form->Hide();
  form->Hide();
  // The form's own handling shows and hides the window, before the hook's code after it.
  EXPECT_EQ(showingAtNotice, (std::vector<bool>{true, false}));
  form->SetWindowProc(oldForm);
  p->SetWindowProc(oldPanel);
}

TEST_F(ControlTree, AnExceptionInAHandlerStopsAtTheWindowProcedure) {
  TPanel* p = Add(form.get(), 10, 10, 80, 80, L"p");
  int clicks = 0;
  p->OnClick = [&] {
    ++clicks;
    throw std::runtime_error("handler failed");
  };
  ShowAndSettle(*form);
  ClickAt(100 + 20, 100 + 20);
  PumpUntil([&] { return !CaughtExceptions().empty(); });
  ASSERT_EQ(CaughtExceptions().size(), 1u);
  EXPECT_EQ(CaughtExceptions()[0], L"handler failed");
  // The window goes on working (clicked a little apart: not a double click).
  ClickAt(100 + 50, 100 + 50);
  PumpUntil([&] { return clicks == 2; });
  EXPECT_EQ(clicks, 2);
}

}  // namespace
}  // namespace qs

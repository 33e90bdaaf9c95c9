// Forms under Wine: modal showing and its results, closing by code, by the close message
// and by Alt+F4, nested modal loops, WM_QUIT during a modal loop, placement and styles,
// the application title, minimising, the system move loop, and the application's loop.
#include <gtest/gtest.h>

#include <functional>

#include "base/Error.h"
#include "tests/ui/UiTestUtil.h"
#include "ui/ModalSpeedButton.h"
#include "ui/Panel.h"
#include "ui/Timer.h"

namespace qs {
namespace {

using namespace qs::test;

// Runs steps one after the other from a timer, so a test can act while a modal loop runs.
class TScript {
public:
  explicit TScript(std::vector<std::function<void()>> steps) : FSteps(std::move(steps)) {
    FTimer.SetInterval(60);
    FTimer.OnTimer = [this] {
      if (FNext < FSteps.size()) FSteps[FNext++]();
      else FTimer.SetEnabled(false);
    };
    FTimer.SetEnabled(true);
  }
  size_t Done() const { return FNext; }

private:
  TTimer FTimer;
  std::vector<std::function<void()>> FSteps;
  size_t FNext = 0;
};

class Forms : public ::testing::Test {
protected:
  void SetUp() override {
    SetUpApplication();
    CaughtExceptions().clear();
  }
  // A dialog with one button that sets the given modal result.
  std::unique_ptr<TForm> Dialog(TModalResult onClick, int x = 200, int y = 150) {
    auto dlg = ShownForm(x, y, 200, 100);
    auto* btn = dlg->Make<TModalSpeedButton>();
    btn->SetParent(dlg.get());
    btn->SetBounds(60, 40, 80, 30);
    btn->SetCaption(L"确定(&O)");
    TForm* raw = dlg.get();
    btn->OnClick = [raw, onClick] { raw->SetModalResult(onClick); };
    return dlg;
  }
};

TEST_F(Forms, AButtonSettingTheModalResultEndsTheModalLoop) {
  auto owner = ShownForm(40, 40, 150, 100);
  ShowAndSettle(*owner);
  auto dlg = Dialog(mrOk);
  bool ownerDisabled = false, dlgEnabled = false;
  TScript script({[&] {
                    ownerDisabled = !::IsWindowEnabled(owner->Handle());
                    dlgEnabled = ::IsWindowEnabled(dlg->Handle()) != FALSE;
                    MoveMouseTo(200 + 100, 150 + 55);
                  },
                  [&] { SendMouseButton(MOUSEEVENTF_LEFTDOWN); },
                  [&] { SendMouseButton(MOUSEEVENTF_LEFTUP); }});
  EXPECT_EQ(dlg->ShowModal(), mrOk);
  EXPECT_TRUE(ownerDisabled);
  EXPECT_TRUE(dlgEnabled);
  EXPECT_TRUE(::IsWindowEnabled(owner->Handle()));
  EXPECT_FALSE(::IsWindowVisible(dlg->Handle()));
  EXPECT_FALSE(dlg->Modal());
}

TEST_F(Forms, EveryOtherWayOfClosingGivesCancel) {
  struct TCase { const char* Name; std::function<void(TForm&)> Close; } cases[] = {
      {"Close", [](TForm& f) { f.Close(); }},
      {"WM_CLOSE", [](TForm& f) { ::PostMessageW(f.Handle(), WM_CLOSE, 0, 0); }},
      {"Alt+F4", [](TForm&) { TypeKey(VK_F4, {VK_MENU}); }},
      {"Hide", [](TForm& f) { f.Hide(); }},
  };
  for (auto& c : cases) {
    auto dlg = Dialog(mrOk);
    TScript script({[&] { c.Close(*dlg); }});
    EXPECT_EQ(dlg->ShowModal(), mrCancel) << c.Name;
  }
}

TEST_F(Forms, NestedModalLoopsReturnInOrder) {
  auto outer = Dialog(mrOk, 100, 100);
  auto inner = Dialog(3, 320, 260);
  std::vector<std::string> order;
  bool outerDisabledDuringInner = false;
  TScript script({[&] {
    TScript innerScript({[&] {
                           outerDisabledDuringInner = !::IsWindowEnabled(outer->Handle());
                           inner->SetModalResult(3);
                         }});
    order.push_back("inner " + std::to_string(inner->ShowModal()));
    order.push_back(::IsWindowEnabled(outer->Handle()) ? "outer enabled" : "outer disabled");
    outer->SetModalResult(mrOk);
  }});
  order.push_back("outer " + std::to_string(outer->ShowModal()));
  EXPECT_EQ(order, (std::vector<std::string>{"inner 3", "outer enabled", "outer 1"}));
  EXPECT_TRUE(outerDisabledDuringInner);
}

TEST_F(Forms, QuitDuringAModalLoopEndsItAndReachesTheOuterLoop) {
  auto dlg = Dialog(mrOk);
  TScript script({[] { ::PostQuitMessage(7); }});
  EXPECT_EQ(dlg->ShowModal(), mrCancel);
  MSG msg{};
  ASSERT_TRUE(PumpUntil([&] { return ::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE; }));
  EXPECT_EQ(msg.wParam, 7u);
}

TEST_F(Forms, AVisibleFormCannotBeShownModally) {
  auto form = ShownForm(40, 40, 100, 100);
  ShowAndSettle(*form);
  EXPECT_THROW(form->ShowModal(), EQsError);
}

TEST_F(Forms, PlacementAndWindowStyles) {
  auto form = ShownForm(0, 0, 300, 183);
  form->SetPosition(poScreenCenter);
  form->SetFormStyle(fsStayOnTop);
  ShowAndSettle(*form);
  RECT work{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_EQ(form->Left(), work.left + (work.right - work.left - 300) / 2);
  EXPECT_EQ(form->Top(), work.top + (work.bottom - work.top - 183) / 2);
  RECT window{}, client{};
  ::GetWindowRect(form->Handle(), &window);
  ::GetClientRect(form->Handle(), &client);
  EXPECT_EQ(window.left, form->Left());
  EXPECT_EQ(client.right, 300);   // no border: the client area is the window
  EXPECT_EQ(client.bottom, 183);
  LONG_PTR style = ::GetWindowLongPtrW(form->Handle(), GWL_STYLE);
  EXPECT_FALSE(style & WS_CAPTION);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_TRUE(::GetWindowLongPtrW(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(Forms, TheTitleIsTheMainFormsWindowText) {
  auto form = ShownForm(50, 50, 200, 100);
  Application.SetMainForm(form.get());
  Application.SetTitle(L"Velmora");
  ShowAndSettle(*form);
  EXPECT_EQ(::FindWindowW(nullptr, L"Velmora"), form->Handle());
  EXPECT_EQ(Application.Handle(), form->Handle());
  Application.SetMainForm(nullptr);
}

TEST_F(Forms, MinimisingAndRestoringTheApplication) {
  auto form = ShownForm(50, 50, 200, 100);
  Application.SetMainForm(form.get());
  std::vector<uintptr_t> sizes;
  TWndMethod old = form->WindowProc();
  form->SetWindowProc([&](TMessage& m) {
    if (m.Msg == WM_SIZE) sizes.push_back(m.WParam);
    old(m);
  });
  ShowAndSettle(*form);
  Application.Minimize();
  PumpUntil([&] { return form->WindowState() == wsMinimized; });
  EXPECT_EQ(form->WindowState(), wsMinimized);
  Application.Restore();
  PumpUntil([&] { return form->WindowState() == wsNormal; });
  EXPECT_EQ(form->WindowState(), wsNormal);
  EXPECT_NE(std::find(sizes.begin(), sizes.end(), SIZE_MINIMIZED), sizes.end());
  EXPECT_EQ(sizes.back(), static_cast<uintptr_t>(SIZE_RESTORED));
  // Restored, the form is back where it was.
  EXPECT_EQ(form->BoundsRect(), TRect::Bounds(50, 50, 200, 100));
  form->SetWindowProc(old);
  Application.SetMainForm(nullptr);
}

TEST_F(Forms, TheSystemMoveLoopDragsTheForm) {
  auto form = ShownForm(100, 100, 200, 100);
  auto* bar = form->Make<TPanel>();
  bar->SetParent(form.get());
  bar->SetBounds(0, 0, 200, 30);
  TForm* raw = form.get();
  bar->OnMouseDown = [raw](TMouseButton, TShiftState, int, int) {
    ::ReleaseCapture();
    raw->Perform(WM_SYSCOMMAND, 0xF012, 0);
  };
  ShowAndSettle(*form);
  MoveMouseTo(150, 110);
  // While the move loop runs, the timer moves the pointer and lets go.
  TScript script({[] { SendMouseMove(170, 120); }, [] { SendMouseMove(190, 130); },
                  [] { SendMouseButton(MOUSEEVENTF_LEFTUP); }});
  SendMouseButton(MOUSEEVENTF_LEFTDOWN);
  PumpUntil([&] { return script.Done() == 3 && form->Left() == 140; });
  EXPECT_EQ(form->Left(), 140);
  EXPECT_EQ(form->Top(), 120);
}

// Hooks a form the way a drop shadow does and lets go when told the form is going.
class THookWatcher : public TComponent {
public:
  TForm* Form = nullptr;
  TWndMethod Old;
  bool WindowAliveWhenTold = false;
  int Seen = 0;
  void Attach(TForm* form) {
    Form = form;
    Old = form->WindowProc();
    form->SetWindowProc([this](TMessage& m) {
      ++Seen;
      Old(m);
    });
    form->FreeNotification(this);
  }

protected:
  void Notification(TComponent* c, TOperation op) override {
    if (op != opRemove || c != Form) return;
    WindowAliveWhenTold = ::IsWindow(Form->Handle()) != FALSE;
    Form->SetWindowProc(Old);
    Form = nullptr;
  }
};

TEST_F(Forms, AGoingFormTellsItsWatchersWhileItIsStillWhole) {
  THookWatcher watcher;
  auto form = ShownForm(60, 60, 120, 80);
  watcher.Attach(form.get());
  ShowAndSettle(*form);
  EXPECT_GT(watcher.Seen, 0);
  form.reset();
  EXPECT_EQ(watcher.Form, nullptr);
  EXPECT_TRUE(watcher.WindowAliveWhenTold);
}

TEST_F(Forms, RunEndsWhenTheMainFormClosesAndFreesTheForms) {
  bool shown = false;
  TForm* main = Application.CreateForm<TForm>();
  main->SetBounds(60, 60, 120, 80);
  main->OnShow = [&] { shown = true; };
  TScript script({[main] { ::PostMessageW(main->Handle(), WM_CLOSE, 0, 0); }});
  EXPECT_EQ(Application.Run(), 0);
  EXPECT_TRUE(shown);
  EXPECT_EQ(Application.MainForm(), nullptr);  // freed with the application's forms
}

}  // namespace
}  // namespace qs

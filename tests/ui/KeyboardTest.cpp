// Keyboard focus and keys with real key presses: the focus on showing, Tab and Shift+Tab
// through the tab stops in tab order, Enter and Space on a focused button, the arrow keys
// between buttons, accelerator letters (also with Alt), and KeyPreview.
#include <gtest/gtest.h>

#include "tests/ui/UiTestUtil.h"
#include "ui/CheckBox.h"
#include "ui/Edit.h"
#include "ui/ModalSpeedButton.h"
#include "ui/Panel.h"

namespace qs {
namespace {

using namespace qs::test;

class Keyboard : public ::testing::Test {
protected:
  void SetUp() override {
    SetUpApplication();
    form = ShownForm(120, 120, 360, 160);
    check = Add<TCheckBox>(form.get(), 10, 10, 17, 17, 0, L"");
    edit = Add<TEdit>(form.get(), 40, 10, 150, 23, 2, L"");
    bar = Add<TPanel>(form.get(), 0, 100, 360, 60, 3, L"");
    left = Add<TModalSpeedButton>(bar, 10, 10, 67, 30, 0, L"是(&Y)");
    center = Add<TModalSpeedButton>(bar, 90, 10, 67, 30, 1, L"否(&N)");
    right = Add<TModalSpeedButton>(bar, 170, 10, 67, 30, 2, L"取消");
    first = Add<TModalSpeedButton>(form.get(), 200, 10, 67, 30, 1, L"确定(&O)");
    for (auto* b : {left, center, right, first}) {
      TModalSpeedButton* button = b;
      b->OnClick = [this, button] { clicked.push_back(button->Caption()); };
    }
  }
  template <typename T>
  T* Add(TControl* parent, int x, int y, int w, int h, int tabOrder, const wchar_t* caption) {
    auto* c = form->Make<T>();
    c->SetParent(parent);
    c->SetBounds(x, y, w, h);
    c->SetTabOrder(tabOrder);
    c->SetCaption(caption);
    return c;
  }
  TWinControl* FocusedControl() { return TWinControl::FromHandle(::GetFocus()); }
  void Show() {
    ShowAndSettle(*form);
    PumpUntil([&] { return FocusedControl() != nullptr; });
  }

  std::unique_ptr<TForm> form;
  TCheckBox* check = nullptr;
  TEdit* edit = nullptr;
  TPanel* bar = nullptr;
  TModalSpeedButton *left = nullptr, *center = nullptr, *right = nullptr, *first = nullptr;
  std::vector<std::wstring> clicked;
};

TEST_F(Keyboard, TabWalksTheTabStopsInTabOrderAndWraps) {
  Show();
  // Tab order: check (0), first (1), edit (2), the bar (3) with left, center, right.
  std::vector<TWinControl*> want = {check, first, edit, left, center, right, check};
  EXPECT_EQ(FocusedControl(), want[0]);
  for (size_t i = 1; i < want.size(); ++i) {
    TypeKey(VK_TAB);
    PumpUntil([&] { return FocusedControl() == want[i]; });
    EXPECT_EQ(FocusedControl(), want[i]) << i;
  }
  TypeKey(VK_TAB, {VK_SHIFT});
  PumpUntil([&] { return FocusedControl() == right; });
  EXPECT_EQ(FocusedControl(), right);
  // Hidden and disabled controls are passed over.
  center->Hide();
  left->SetEnabled(false);
  TypeKey(VK_TAB, {VK_SHIFT});
  PumpUntil([&] { return FocusedControl() == edit; });
  EXPECT_EQ(FocusedControl(), edit);
  EXPECT_TRUE(clicked.empty());
}

TEST_F(Keyboard, EnterAndSpacePressTheFocusedButtonAndArrowsMoveBetweenButtons) {
  form->SetActiveControl(left);
  Show();
  EXPECT_EQ(FocusedControl(), left);
  TypeKey(VK_RETURN);
  PumpUntil([&] { return clicked.size() == 1; });
  TypeKey(VK_RIGHT);
  PumpUntil([&] { return FocusedControl() == center; });
  TypeKey(VK_SPACE);
  PumpUntil([&] { return clicked.size() == 2; });
  TypeKey(VK_LEFT);
  TypeKey(VK_LEFT);  // wraps from the first to the last button of the bar
  PumpUntil([&] { return FocusedControl() == right; });
  EXPECT_EQ(FocusedControl(), right);
  EXPECT_EQ(clicked, (std::vector<std::wstring>{L"是(&Y)", L"否(&N)"}));
}

TEST_F(Keyboard, AcceleratorLettersPressTheirButtons) {
  form->SetActiveControl(right);
  Show();
  TypeKey('N');
  PumpUntil([&] { return clicked.size() == 1; });
  EXPECT_EQ(FocusedControl(), center);  // the pressed button takes the focus
  // In an edit the letter is text, not an accelerator; with Alt it presses the button.
  edit->SetFocus();
  TypeKey('O');
  PumpUntil([&] { return edit->Text() == L"o"; });
  EXPECT_EQ(edit->Text(), L"o");
  TypeKey('O', {VK_MENU});
  PumpUntil([&] { return clicked.size() == 2; });
  EXPECT_EQ(clicked, (std::vector<std::wstring>{L"否(&N)", L"确定(&O)"}));
}

TEST_F(Keyboard, KeyPreviewSeesKeysFirstAndCanSwallowThem) {
  std::vector<uint16_t> previewed;
  form->SetKeyPreview(true);
  form->OnKeyDown = [&](uint16_t& key, TShiftState) {
    previewed.push_back(key);
    if (key == VK_RETURN) key = 0;  // swallowed: the button does not see it
  };
  form->SetActiveControl(left);
  Show();
  TypeKey(VK_ESCAPE);
  TypeKey(VK_RETURN);
  PumpUntil([&] { return previewed.size() == 2; });
  EXPECT_EQ(previewed, (std::vector<uint16_t>{VK_ESCAPE, VK_RETURN}));
  Pump(100);
  EXPECT_TRUE(clicked.empty());
}

TEST_F(Keyboard, AClickMovesTheFocusToTheButton) {
  Show();
  EXPECT_EQ(FocusedControl(), check);
  ClickAt(120 + 90 + 30, 120 + 100 + 25);
  PumpUntil([&] { return clicked.size() == 1; });
  EXPECT_EQ(FocusedControl(), center);
}

}  // namespace
}  // namespace qs

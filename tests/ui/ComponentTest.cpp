// Ownership and free notification of components.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/Component.h"

namespace qs {
namespace {

std::vector<std::string> gLog;

class TNamed : public TComponent {
public:
  explicit TNamed(std::string name) : FLabel(std::move(name)) {}
  ~TNamed() override { gLog.push_back("free " + FLabel); }
  TComponent* Watched = nullptr;

protected:
  void Notification(TComponent* c, TOperation op) override {
    if (op == opRemove && c == Watched) {
      gLog.push_back(FLabel + " told");
      Watched = nullptr;
    }
  }

private:
  std::string FLabel;
};

TEST(Component, AnOwnerFreesWhatItOwnsLastMadeFirst) {
  gLog.clear();
  {
    TNamed owner("owner");
    owner.Make<TNamed>("a")->SetName(L"a");
    owner.Make<TNamed>("b")->SetName(L"b");
    EXPECT_EQ(owner.ComponentCount(), 2);
    EXPECT_NE(owner.Find<TNamed>(L"b"), nullptr);
    EXPECT_EQ(owner.Find<TNamed>(L"c"), nullptr);
  }
  EXPECT_EQ(gLog, (std::vector<std::string>{"free owner", "free b", "free a"}));
}

TEST(Component, FreeNotificationTellsWhicheverOutlivesTheOther) {
  gLog.clear();
  auto watcher = std::make_unique<TNamed>("watcher");
  {
    TNamed form("form");
    watcher->Watched = &form;
    form.FreeNotification(watcher.get());
  }
  EXPECT_EQ(watcher->Watched, nullptr);
  EXPECT_EQ(gLog, (std::vector<std::string>{"free form", "watcher told"}));
  // The watcher going first unlinks itself: the other has nobody left to tell.
  gLog.clear();
  auto form = std::make_unique<TNamed>("form");
  form->FreeNotification(watcher.get());
  watcher.reset();
  form.reset();
  EXPECT_EQ(gLog, (std::vector<std::string>{"free watcher", "free form"}));
}

}  // namespace
}  // namespace qs

// TPageControl and TTabSheet: one page showing at a time, tabs as flat buttons.
#include "ui/PageControl.h"

#include <windows.h>

#include <algorithm>

#include "ui/Canvas.h"
#include "ui/Font.h"

namespace qs {
namespace {

constexpr int kTabHeight = 26;
constexpr int kTabPadding = 14;  // on each side of a tab's text
constexpr int kTabGap = 2;
constexpr TColor kTabActive = Rgb(66, 139, 202);
constexpr TColor kTabIdle = Rgb(232, 236, 241);
constexpr TColor kTabIdleText = Rgb(64, 64, 64);

}  // namespace

TTabSheet::TTabSheet() { SetAlign(alClient); }

TTabSheet::~TTabSheet() {
  if (TPageControl* pc = PageControl(); pc && pc->FActivePage == this) pc->FActivePage = nullptr;
}

TPageControl* TTabSheet::PageControl() const { return dynamic_cast<TPageControl*>(Parent()); }

void TTabSheet::SetParent(TControl* parent) {
  TPageControl* old = PageControl();
  if (old && old->FActivePage == this) old->FActivePage = nullptr;
  TGraphicControl::SetParent(parent);
  TPageControl* pc = PageControl();
  if (!pc) return;
  // The first page is the active one until another is chosen.
  if (!pc->FActivePage) pc->FActivePage = this;
  SetVisible(pc->FActivePage == this);
  pc->PagesChanged();
}

void TTabSheet::Configure(const TDesign& d) {
  TGraphicControl::Configure(d);
  TPageControl* pc = PageControl();
  SetVisible(!pc || pc->ActivePage() == this);
  SetAlign(alClient);
}

void TTabSheet::SetTabVisible(bool v) {
  if (v == FTabVisible) return;
  FTabVisible = v;
  if (TPageControl* pc = PageControl()) pc->PagesChanged();
}

int TTabSheet::PageIndex() const {
  TPageControl* pc = PageControl();
  if (!pc) return -1;
  for (int i = 0; i < pc->PageCount(); ++i)
    if (pc->Pages(i) == this) return i;
  return -1;
}

TPageControl::TPageControl() = default;

int TPageControl::PageCount() const {
  int n = 0;
  for (int i = 0; i < ControlCount(); ++i) n += dynamic_cast<TTabSheet*>(Controls(i)) != nullptr;
  return n;
}

TTabSheet* TPageControl::Pages(int index) const {
  for (int i = 0; i < ControlCount(); ++i)
    if (auto* page = dynamic_cast<TTabSheet*>(Controls(i)); page && index-- == 0) return page;
  return nullptr;
}

int TPageControl::ActivePageIndex() const { return FActivePage ? FActivePage->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(int i) { SetActivePage(Pages(i)); }

void TPageControl::SetActivePage(TTabSheet* page) {
  if (page == FActivePage || (page && page->Parent() != this)) return;
  TTabSheet* old = FActivePage;
  FActivePage = page;
  if (page) page->SetVisible(true);
  if (old) old->SetVisible(false);
  Invalidate();
  if (page && page->OnShow) page->OnShow();
}

bool TPageControl::TabsShown() const {
  for (int i = 0; i < PageCount(); ++i)
    if (Pages(i)->TabVisible()) return true;
  return false;
}

TRect TPageControl::AlignRect() const {
  TRect r = ClientRect();
  if (TabsShown()) r.Top = std::min(r.Bottom, r.Top + kTabHeight);
  return r;
}

void TPageControl::PagesChanged() {
  Realign();
  Invalidate();
}

TRect TPageControl::TabRect(int index) {
  int x = 0;
  for (int i = 0; i < PageCount(); ++i) {
    TTabSheet* page = Pages(i);
    if (!page->TabVisible()) continue;
    int w = MeasureText(Font(), page->Caption(), DT_SINGLELINE | DT_NOPREFIX).Width + 2 * kTabPadding;
    if (i == index) return TRect::Bounds(x, 0, w, kTabHeight - kTabGap);
    x += w + kTabGap;
  }
  return {};
}

void TPageControl::Paint(TCanvas& canvas) {
  if (!TabsShown()) return;
  canvas.Brush.Color = Color();
  canvas.FillRect({0, 0, Width(), kTabHeight});
  canvas.Font = Font();
  for (int i = 0; i < PageCount(); ++i) {
    TTabSheet* page = Pages(i);
    if (!page->TabVisible()) continue;
    TRect r = TabRect(i);
    bool active = page == FActivePage;
    canvas.Brush.Color = active ? kTabActive : kTabIdle;
    canvas.FillRect(r);
    canvas.Font.Color = active ? clWhite : kTabIdleText;
    canvas.DrawText(r, page->Caption(), DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
  }
  // A line under the tabs in the active tab's colour joins them to the page.
  canvas.Brush.Color = kTabActive;
  canvas.FillRect({0, kTabHeight - kTabGap, Width(), kTabHeight});
}

void TPageControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && TabsShown())
    for (int i = 0; i < PageCount(); ++i)
      if (Pages(i)->TabVisible() && TabRect(i).Contains({x, y})) {
        SetActivePage(Pages(i));
        break;
      }
  TGraphicControl::MouseDown(button, shift, x, y);
}

}  // namespace qs

// TPageControl and TTabSheet: pages of which one shows at a time. Pages are children of
// the page control (a row with the page control as parent) and fill its page area. Tabs
// are drawn as flat buttons along the top while any page's tab is visible, and switch
// pages when clicked; with every tab hidden the pages fill the whole control and change
// only by code. A page that becomes the active one fires its OnShow.
#pragma once
#include "ui/Control.h"

namespace qs {

class TPageControl;

class TTabSheet : public TGraphicControl {
public:
  TTabSheet();
  ~TTabSheet() override;

  TPageControl* PageControl() const;
  bool TabVisible() const { return FTabVisible; }
  void SetTabVisible(bool v);
  int PageIndex() const;

  TNotifyEvent OnShow;

  void SetParent(TControl* parent) override;
  // A page's visibility belongs to its page control: the design's Visible is not taken.
  void Configure(const TDesign& d) override;

private:
  bool FTabVisible = true;
};

class TPageControl : public TGraphicControl {
public:
  TPageControl();

  int PageCount() const;
  TTabSheet* Pages(int i) const;
  TTabSheet* ActivePage() const { return FActivePage; }
  // Shows that page and hides the others; OnShow of the page when it changed.
  void SetActivePage(TTabSheet* page);
  int ActivePageIndex() const;
  void SetActivePageIndex(int i);

  TRect AlignRect() const override;

protected:
  void Paint(TCanvas& canvas) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

private:
  friend class TTabSheet;
  bool TabsShown() const;
  TRect TabRect(int i);
  void PagesChanged();

  TTabSheet* FActivePage = nullptr;
};

}  // namespace qs

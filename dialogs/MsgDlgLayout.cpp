// Layout arithmetic of the message dialog; see MsgDlgLayout.h.
#include "dialogs/MsgDlgLayout.h"

#include <algorithm>

namespace qs {

namespace {

// Width bands of the message: up to kNarrow the form keeps its created width, up to kWide
// it grows with the text, beyond it the form is kWideForm and the text wraps.
constexpr int kNarrow = 280;
constexpr int kWide = 480;
constexpr int kWideForm = 500;
constexpr int kLabelRightGap = 20;
constexpr int kLabelBottomGap = 10;
constexpr int kMsgFreeHeight = 80;  // message panel height the label may use before it grows

// Where the buttons stand in the designed 340-pixel form, before any placement.
constexpr int kDesignLefts[] = {107, 182, 257, 19};

}  // namespace

TMsgDlgLayout::TMsgDlgLayout() {
  FLabel = {kLabelLeft, kLabelTop, 0, 0};
  FTitle = kDesignedTitle;
  for (int b = dbLeft; b <= dbDetail; ++b) {
    FButtons[b].Left = kDesignLefts[b];
    FButtons[b].Width = b == dbDetail ? kDetailButtonWidth : kActionButtonWidth;
  }
}

void TMsgDlgLayout::FitMessage(const std::wstring& caption, ITextMeasure& measure) {
  TTextExtent unwrapped = measure.Measure(caption);
  FLabel.Width = unwrapped.Width;
  FLabel.Height = unwrapped.Height;
  const int w = unwrapped.Width;
  const int l = FLabel.Left;
  if (w > kNarrow - l && w <= kWide - l) {
    FFormWidth = l + w + kLabelRightGap;
  } else if (w > kWide - l) {
    FFormWidth = kWideForm;
    FWordWrap = true;
    const int wrapWidth = kWide - l;
    const int lineBlock = measure.WrappedHeight(caption, w);
    const int estimated = (w + wrapWidth - 1) / wrapWidth * lineBlock;
    // The estimate counts full-width lines; breaking at words can need more of them, and a
    // label shorter than its text would cut the message off.
    FLabel.Width = wrapWidth;
    FLabel.Height = std::max(estimated, measure.WrappedHeight(caption, wrapWidth));
  }
  const int bottom = FLabel.Top + FLabel.Height + kLabelBottomGap;
  if (bottom > kMsgFreeHeight) FMsgPanelHeight += bottom - kMsgFreeHeight;
  UpdateHeight();
}

void TMsgDlgLayout::UpdateHeight() {
  FFormHeight = kTitleHeight + FMsgPanelHeight + kButtonPanelHeight + (FDetailOpen ? kDetailHeight : 0);
}

void TMsgDlgLayout::PrepareLayout(uint8_t kind, bool hasDetail, const std::wstring& caption, ITextMeasure& measure) {
  FitMessage(caption, measure);
  if (auto info = FindKindInfo(kind)) {
    FTitle = info->Title;
    FIcon = info->Icon;
    for (int b = dbLeft; b <= dbRight; ++b) {
      FButtons[b].Visible = !info->Captions[b].empty();
      FButtons[b].Caption = info->Captions[b];
    }
  }
  FButtons[dbDetail].Visible = hasDetail;
  if (hasDetail) FButtons[dbDetail].Caption = kShowDetailCaption;
  PlaceButtons();
  UpdateHeight();
}

void TMsgDlgLayout::PlaceButtons() {
  int right = FFormWidth - kButtonMargin + kButtonGap;  // as if a neighbour stood at the margin
  for (int b = dbRight; b >= dbLeft; --b) {
    TLayoutButton& button = FButtons[b];
    if (!button.Visible) continue;
    button.Left = right - kButtonGap - button.Width;
    right = button.Left;
  }
  TLayoutButton& detail = FButtons[dbDetail];
  if (!detail.Visible) return;
  detail.Left = FButtons[dbLeft].Left - kButtonGap - detail.Width;
  // Three buttons and the details button do not fit a narrow form: widen it so the details
  // button keeps the margin instead of hanging off the left edge.
  if (detail.Left < kButtonMargin) {
    const int shift = kButtonMargin - detail.Left;
    FFormWidth += shift;
    for (auto& button : FButtons) button.Left += shift;
  }
}

void TMsgDlgLayout::ToggleDetail() {
  FDetailOpen = !FDetailOpen;
  FButtons[dbDetail].Caption = FDetailOpen ? kHideDetailCaption : kShowDetailCaption;
  UpdateHeight();
}

}  // namespace qs

// Alignment and anchoring arithmetic.
#include <gtest/gtest.h>

#include "ui/Layout.h"

namespace qs {
namespace {

TEST(Layout, TopBottomAndClientShareTheArea) {
  // A dialog body: title on top, message under it, buttons at the bottom, details between.
  std::vector<TAlignSlot> s = {
      {alTop, true, TRect::Bounds(0, 0, 50, 35), 0},
      {alTop, true, TRect::Bounds(0, 35, 50, 102), 1},
      {alBottom, true, TRect::Bounds(0, 400, 50, 46), 2},
      {alClient, true, TRect::Bounds(0, 0, 10, 10), 3},
  };
  ArrangeAligned({0, 0, 298, 331}, s);
  EXPECT_EQ(s[0].Bounds, TRect::Bounds(0, 0, 298, 35));
  EXPECT_EQ(s[1].Bounds, TRect::Bounds(0, 35, 298, 102));
  EXPECT_EQ(s[2].Bounds, TRect::Bounds(0, 285, 298, 46));
  EXPECT_EQ(s[3].Bounds, TRect::Bounds(0, 137, 298, 148));
}

TEST(Layout, HiddenSlotsGiveUpTheirPlace) {
  std::vector<TAlignSlot> s = {
      {alTop, false, TRect::Bounds(0, 0, 10, 20), 0},
      {alTop, true, TRect::Bounds(0, 20, 10, 30), 1},
  };
  ArrangeAligned({0, 0, 100, 100}, s);
  EXPECT_EQ(s[0].Bounds, TRect::Bounds(0, 0, 10, 20));  // untouched
  EXPECT_EQ(s[1].Bounds, TRect::Bounds(0, 0, 100, 30));
}

TEST(Layout, RightAlignedGoRightMostFirst) {
  // Two 30-wide title buttons in an 81-wide panel, the close button designed right-most.
  std::vector<TAlignSlot> s = {
      {alRight, true, TRect::Bounds(21, 0, 30, 27), 0},  // minimise
      {alRight, true, TRect::Bounds(51, 0, 30, 27), 1},  // close
  };
  ArrangeAligned({0, 0, 81, 27}, s);
  EXPECT_EQ(s[1].Bounds, TRect::Bounds(51, 0, 30, 27));
  EXPECT_EQ(s[0].Bounds, TRect::Bounds(21, 0, 30, 27));
  // With the close button hidden the minimise button takes the right-most place.
  s[1].Visible = false;
  ArrangeAligned({0, 0, 81, 27}, s);
  EXPECT_EQ(s[0].Bounds, TRect::Bounds(51, 0, 30, 27));
}

TEST(Layout, LeftAlignedAndClientBetween) {
  std::vector<TAlignSlot> s = {
      {alClient, true, {}, 0},
      {alLeft, true, TRect::Bounds(0, 0, 20, 5), 1},
      {alRight, true, TRect::Bounds(0, 0, 15, 5), 2},
  };
  ArrangeAligned({0, 0, 100, 40}, s);
  EXPECT_EQ(s[1].Bounds, TRect::Bounds(0, 0, 20, 40));
  EXPECT_EQ(s[2].Bounds, TRect::Bounds(85, 0, 15, 40));
  EXPECT_EQ(s[0].Bounds, TRect::Bounds(20, 0, 65, 40));
}

TEST(Layout, TooLittleRoomLeavesAnEmptyClientNeverAnInvertedOne) {
  std::vector<TAlignSlot> s = {
      {alTop, true, TRect::Bounds(0, 0, 10, 80), 0},
      {alBottom, true, TRect::Bounds(0, 0, 10, 80), 1},
      {alClient, true, {}, 2},
  };
  ArrangeAligned({0, 0, 100, 100}, s);
  EXPECT_EQ(s[2].Bounds.Height(), 0);
  EXPECT_GE(s[2].Bounds.Width(), 0);
}

TEST(Layout, AnchorsFollowTheParentsSizeChange) {
  TRect r = TRect::Bounds(309, 4, 26, 26);
  TSize from{340, 35}, to{298, 35};
  struct TCase { TAnchors Anchors; TRect Expected; } cases[] = {
      {akLeft | akTop, TRect::Bounds(309, 4, 26, 26)},
      {akRight | akTop, TRect::Bounds(267, 4, 26, 26)},  // keeps 5 px to the right edge
      {akLeft | akRight | akTop, TRect::Bounds(309, 4, 0, 26)},  // would shrink by 42: not below 0
      {akTop, TRect::Bounds(288, 4, 26, 26)},  // neither side: half the change
  };
  for (auto c : cases) EXPECT_EQ(Anchored(r, c.Anchors, from, to), c.Expected) << int(c.Anchors);
  // All four sides: the body keeps its one-pixel margin as the form grows.
  EXPECT_EQ(Anchored(TRect::Bounds(1, 1, 338, 301), akAll, {340, 303}, {300, 183}), TRect::Bounds(1, 1, 298, 181));
}

}  // namespace
}  // namespace qs

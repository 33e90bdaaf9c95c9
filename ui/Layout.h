// Placement arithmetic of the control tree, free of any window: where aligned children
// go inside their parent's client area, and how anchored children follow a parent that
// changes size. TControl runs these whenever a parent's size or a child's alignment,
// visibility or size changes.
#pragma once
#include <vector>

#include "ui/UiTypes.h"

namespace qs {

// One child as the alignment sees it. Bounds are relative to the parent's client area;
// Order is the child's index among its siblings (creation order), which breaks ties.
struct TAlignSlot {
  TAlign Align = alNone;
  bool Visible = true;
  TRect Bounds;
  int Order = 0;
};

// Places the visible aligned slots inside client, in place: first the alTop slots
// (ordered by their current Top, then Order) from the top down, then alBottom (by
// Bottom, lowest first) from the bottom up, alLeft (by Left) from the left, alRight (the
// right-most first) from the right, and alClient takes what is left. An aligned slot
// keeps its own height (top/bottom) or width (left/right). Hidden and alNone slots are
// left as they are.
void ArrangeAligned(const TRect& client, std::vector<TAlignSlot>& slots);

// A child's bounds after its parent's client area changed size from oldSize to newSize:
// an edge anchored on the far side keeps its distance to that side; anchored on both
// sides the child stretches; anchored on neither it moves by half the change.
TRect Anchored(const TRect& bounds, TAnchors anchors, TSize oldSize, TSize newSize);

}  // namespace qs

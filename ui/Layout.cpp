// Alignment and anchoring arithmetic of the control tree.
#include "ui/Layout.h"

#include <algorithm>

namespace qs {
namespace {

std::vector<TAlignSlot*> SlotsOf(std::vector<TAlignSlot>& slots, TAlign align) {
  std::vector<TAlignSlot*> out;
  for (auto& s : slots)
    if (s.Visible && s.Align == align) out.push_back(&s);
  return out;
}

// Stable order by key, then creation order.
template <typename Key>
void SortBy(std::vector<TAlignSlot*>& v, Key key) {
  std::stable_sort(v.begin(), v.end(), [&](const TAlignSlot* a, const TAlignSlot* b) {
    return key(a) != key(b) ? key(a) < key(b) : a->Order < b->Order;
  });
}

}  // namespace

void ArrangeAligned(const TRect& client, std::vector<TAlignSlot>& slots) {
  TRect rest = client;

  auto tops = SlotsOf(slots, alTop);
  SortBy(tops, [](const TAlignSlot* s) { return s->Bounds.Top; });
  for (auto* s : tops) {
    int h = s->Bounds.Height();
    s->Bounds = {rest.Left, rest.Top, rest.Right, rest.Top + h};
    rest.Top += h;
  }
  auto bottoms = SlotsOf(slots, alBottom);
  SortBy(bottoms, [](const TAlignSlot* s) { return -s->Bounds.Bottom; });
  for (auto* s : bottoms) {
    int h = s->Bounds.Height();
    s->Bounds = {rest.Left, rest.Bottom - h, rest.Right, rest.Bottom};
    rest.Bottom -= h;
  }
  auto lefts = SlotsOf(slots, alLeft);
  SortBy(lefts, [](const TAlignSlot* s) { return s->Bounds.Left; });
  for (auto* s : lefts) {
    int w = s->Bounds.Width();
    s->Bounds = {rest.Left, rest.Top, rest.Left + w, rest.Bottom};
    rest.Left += w;
  }
  auto rights = SlotsOf(slots, alRight);
  SortBy(rights, [](const TAlignSlot* s) { return -s->Bounds.Right; });
  for (auto* s : rights) {
    int w = s->Bounds.Width();
    s->Bounds = {rest.Right - w, rest.Top, rest.Right, rest.Bottom};
    rest.Right -= w;
  }
  // What is left may be empty, but never inverted.
  rest.Right = std::max(rest.Right, rest.Left);
  rest.Bottom = std::max(rest.Bottom, rest.Top);
  for (auto* s : SlotsOf(slots, alClient)) s->Bounds = rest;
}

TRect Anchored(const TRect& bounds, TAnchors anchors, TSize oldSize, TSize newSize) {
  int dx = newSize.Width - oldSize.Width, dy = newSize.Height - oldSize.Height;
  TRect r = bounds;
  auto follow = [](int& first, int& second, bool nearEdge, bool farEdge, int delta) {
    if (farEdge && nearEdge) second += delta;          // stretch
    else if (farEdge) { first += delta; second += delta; }  // keep the far distance
    else if (!nearEdge) { first += delta / 2; second += delta / 2; }  // keep the centre's place
  };
  follow(r.Left, r.Right, anchors & akLeft, anchors & akRight, dx);
  follow(r.Top, r.Bottom, anchors & akTop, anchors & akBottom, dy);
  r.Right = std::max(r.Right, r.Left);
  r.Bottom = std::max(r.Bottom, r.Top);
  return r;
}

}  // namespace qs

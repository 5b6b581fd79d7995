#include "clicker/mouse.h"

#include <gtest/gtest.h>

#include <map>

namespace lanzhi {
namespace {

TEST(ButtonEvents, GivesEachModesButtonEventsInOrder) {
  using V = std::vector<unsigned>;
  EXPECT_EQ(ButtonEvents(ClickMode::LeftSingle), (V{kLeftDown, kLeftUp}));
  EXPECT_EQ(ButtonEvents(ClickMode::LeftDouble), (V{kLeftDown, kLeftUp, kLeftDown, kLeftUp}));
  EXPECT_EQ(ButtonEvents(ClickMode::RightSingle), (V{kRightDown, kRightUp}));
  EXPECT_EQ(ButtonEvents(ClickMode::RightDouble), (V{kRightDown, kRightUp, kRightDown, kRightUp}));
  EXPECT_EQ(ButtonEvents(ClickModeFrom(4)), (V{kLeftDown, kLeftUp}));
  EXPECT_EQ(ButtonEvents(ClickModeFrom(-1)), (V{kLeftDown, kLeftUp}));
  EXPECT_EQ(ButtonEvents(static_cast<ClickMode>(9)), (V{kLeftDown, kLeftUp}));
  EXPECT_EQ(kLeftDown | kLeftUp | kRightDown | kRightUp, 0x1Eu);
}

// A small window tree: each window has a rectangle, a parent, a visibility and
// its successor in z-order.
class FakeWindows : public WindowQuery {
 public:
  struct W {
    Rect rect;
    std::uintptr_t parent = 0;
    bool visible = true;
    std::uintptr_t next = 0;
  };
  std::map<std::uintptr_t, W> windows;
  std::uintptr_t atPoint = 0;

  std::uintptr_t WindowFromPoint(long, long) const override { return atPoint; }
  Rect WindowRect(std::uintptr_t w) const override { return windows.at(w).rect; }
  std::uintptr_t Parent(std::uintptr_t w) const override { return windows.at(w).parent; }
  std::uintptr_t NextInZOrder(std::uintptr_t w) const override { return windows.at(w).next; }
  bool Visible(std::uintptr_t w) const override { return windows.at(w).visible; }
};

TEST(SmallestWindowAt, GivesTheWindowItselfWithoutParentOrWithoutWindow) {
  FakeWindows f;
  EXPECT_EQ(SmallestWindowAt(f, 5, 5), 0u);
  f.windows[1] = {{0, 0, 100, 100}, 0, true, 2};
  f.windows[2] = {{0, 0, 10, 10}, 0, true, 0};  // smaller, but top-level windows are not searched
  f.atPoint = 1;
  EXPECT_EQ(SmallestWindowAt(f, 5, 5), 1u);
}

TEST(SmallestWindowAt, PrefersTheSmallestVisibleSiblingContainingThePoint) {
  FakeWindows f;
  f.windows[9] = {{0, 0, 500, 500}, 0, true, 0};
  f.windows[1] = {{0, 0, 100, 100}, 9, true, 2};
  f.windows[2] = {{0, 0, 50, 50}, 9, false, 3};    // hidden
  f.windows[3] = {{40, 40, 60, 60}, 9, true, 4};   // does not contain (5, 5)
  f.windows[4] = {{0, 0, 80, 80}, 9, true, 5};     // smaller: best so far
  f.windows[5] = {{0, 0, 20, 20}, 7, true, 6};     // other parent
  f.windows[6] = {{0, 0, 80, 80}, 9, true, 0};     // same area: the earlier stays
  f.atPoint = 1;
  EXPECT_EQ(SmallestWindowAt(f, 5, 5), 4u);
  // Rectangles are right- and bottom-exclusive, as PtInRect is.
  EXPECT_EQ(SmallestWindowAt(f, 80, 5), 1u);
}

TEST(SmallestWindowAt, KeepsTheFirstWindowOnEqualArea) {
  FakeWindows f;
  f.windows[1] = {{0, 0, 10, 10}, 9, true, 2};
  f.windows[2] = {{0, 0, 10, 10}, 9, true, 0};
  f.atPoint = 1;
  EXPECT_EQ(SmallestWindowAt(f, 5, 5), 1u);
}

}  // namespace
}  // namespace lanzhi

#include "clicker/mouse.h"

namespace lanzhi {

std::vector<unsigned> ButtonEvents(ClickMode mode) {
  switch (NormalClickMode(mode)) {
    case ClickMode::LeftDouble: return {kLeftDown, kLeftUp, kLeftDown, kLeftUp};
    case ClickMode::RightSingle: return {kRightDown, kRightUp};
    case ClickMode::RightDouble: return {kRightDown, kRightUp, kRightDown, kRightUp};
    case ClickMode::LeftSingle: break;
  }
  return {kLeftDown, kLeftUp};
}

namespace {

bool Contains(const Rect& r, long x, long y) {
  return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

// Height times width in signed 32-bit arithmetic, wrapping as the system's would.
std::int32_t Area(const Rect& r) {
  const auto w = static_cast<std::uint32_t>(r.right - r.left);
  const auto h = static_cast<std::uint32_t>(r.bottom - r.top);
  return static_cast<std::int32_t>(h * w);
}

}  // namespace

std::uintptr_t SmallestWindowAt(const WindowQuery& windows, long x, long y) {
  const std::uintptr_t first = windows.WindowFromPoint(x, y);
  if (first == 0) return 0;
  std::uintptr_t best = first;
  std::int32_t bestArea = Area(windows.WindowRect(first));
  const std::uintptr_t parent = windows.Parent(first);
  if (parent == 0) return first;
  for (std::uintptr_t s = windows.NextInZOrder(first); s != 0; s = windows.NextInZOrder(s)) {
    const Rect r = windows.WindowRect(s);
    if (!Contains(r, x, y) || windows.Parent(s) != parent || !windows.Visible(s)) continue;
    const std::int32_t area = Area(r);
    if (area < bestArea) {
      best = s;
      bestArea = area;
    }
  }
  return best;
}

}  // namespace lanzhi

// Click actions and the search for the window under the cursor, as portable
// rules. The Win32 operations (ClickAt, MoveCursor, ...) are in mouse_win32.h.
#pragma once

#include <cstdint>
#include <vector>

namespace lanzhi {

enum class ClickMode { LeftSingle = 0, LeftDouble = 1, RightSingle = 2, RightDouble = 3 };

// Any number outside 0..3 acts as LeftSingle.
constexpr ClickMode ClickModeFrom(long long value) {
  return (value >= 0 && value <= 3) ? static_cast<ClickMode>(value) : ClickMode::LeftSingle;
}
constexpr ClickMode NormalClickMode(ClickMode mode) {
  return ClickModeFrom(static_cast<long long>(mode));
}

// mouse_event flags of the button events of a click action, in order.
inline constexpr unsigned kLeftDown = 0x0002;
inline constexpr unsigned kLeftUp = 0x0004;
inline constexpr unsigned kRightDown = 0x0008;
inline constexpr unsigned kRightUp = 0x0010;
std::vector<unsigned> ButtonEvents(ClickMode mode);

// What the window search needs to know about the windows on the screen.
// Handles are opaque; 0 is no window.
struct Rect {
  long left = 0, top = 0, right = 0, bottom = 0;
};
class WindowQuery {
 public:
  virtual ~WindowQuery() = default;
  virtual std::uintptr_t WindowFromPoint(long x, long y) const = 0;
  virtual Rect WindowRect(std::uintptr_t window) const = 0;
  virtual std::uintptr_t Parent(std::uintptr_t window) const = 0;
  virtual std::uintptr_t NextInZOrder(std::uintptr_t window) const = 0;
  virtual bool Visible(std::uintptr_t window) const = 0;
};

// The smallest visible sibling of the window at the point that contains the
// point, or that window itself (also when it has no parent).
std::uintptr_t SmallestWindowAt(const WindowQuery& windows, long x, long y);

}  // namespace lanzhi

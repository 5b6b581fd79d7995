#include "clicker/mouse_win32.h"

#include <new>
#include <vector>

namespace lanzhi {

void ClickAt(long x, long y, ClickMode mode) {
  SetCursorPos(x, y);
  // Relative events with no move flag: every button acts at the point just set.
  for (unsigned flags : ButtonEvents(mode)) {
    mouse_event(flags, static_cast<DWORD>(x), static_cast<DWORD>(y), 0, 0);
  }
}

void MoveCursor(long x, long y) { SetCursorPos(x, y); }

long CursorX() {
  POINT p{};
  return GetCursorPos(&p) ? p.x : 0;
}

long CursorY() {
  POINT p{};
  return GetCursorPos(&p) ? p.y : 0;
}

namespace {

HWND AsWindow(std::uintptr_t handle) { return reinterpret_cast<HWND>(handle); }
std::uintptr_t AsHandle(HWND window) { return reinterpret_cast<std::uintptr_t>(window); }

class SystemWindows : public WindowQuery {
 public:
  std::uintptr_t WindowFromPoint(long x, long y) const override {
    return AsHandle(::WindowFromPoint(POINT{x, y}));
  }
  Rect WindowRect(std::uintptr_t window) const override {
    RECT r{};
    GetWindowRect(AsWindow(window), &r);
    return {r.left, r.top, r.right, r.bottom};
  }
  std::uintptr_t Parent(std::uintptr_t window) const override {
    return AsHandle(GetParent(AsWindow(window)));
  }
  std::uintptr_t NextInZOrder(std::uintptr_t window) const override {
    return AsHandle(GetWindow(AsWindow(window), GW_HWNDNEXT));
  }
  bool Visible(std::uintptr_t window) const override {
    return IsWindowVisible(AsWindow(window)) != FALSE;
  }
};

}  // namespace

HWND WindowUnderCursor() {
  POINT p{};
  GetCursorPos(&p);
  return AsWindow(SmallestWindowAt(SystemWindows(), p.x, p.y));
}

std::string WindowTitle(HWND window) {
  if (!IsWindow(window)) return {};
  const auto length = static_cast<std::size_t>(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0));
  if (length == 0) return {};
  std::vector<char> buffer;
  try {
    buffer.assign(length + 1, '\0');
  } catch (const std::bad_alloc&) {
    return {};
  }
  SendMessageA(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(buffer.data()));
  return std::string(buffer.data());
}

}  // namespace lanzhi

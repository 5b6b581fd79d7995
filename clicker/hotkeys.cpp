#include "clicker/hotkeys.h"

namespace lanzhi {

int HotkeyIndex(long long id, const int (&keyIds)[kHotkeyCount]) {
  if (id == 0) return -1;
  for (int i = 0; i < kHotkeyCount; ++i) {
    if (keyIds[i] == id) return i;
  }
  return -1;
}

HotkeyAction ActionForHotkey(long long id, const int (&keyIds)[kHotkeyCount]) {
  const int index = HotkeyIndex(id, keyIds);
  if (index < 0) return HotkeyAction::None;
  return kHotkeyKeys[index].starts ? HotkeyAction::Start : HotkeyAction::Stop;
}

namespace {

bool ValidIndex(int index) { return index >= 0 && index < kHotkeyCount; }

// True when tick count `a` is not later than `b`, across the wrap.
bool NotLater(std::uint32_t a, std::uint32_t b) { return static_cast<std::int32_t>(b - a) >= 0; }

}  // namespace

bool HeldKeys::Press(int index, std::uint32_t eventTime) {
  if (!ValidIndex(index)) return false;
  Key& key = keys_[index];
  if (key.held) return false;
  // A repeat that happened before the release and was handled after it.
  if (key.released && NotLater(eventTime, key.lastDown)) return false;
  key.held = true;
  key.released = false;
  key.lastDown = eventTime;
  return true;
}

void HeldKeys::Observe(int index, bool down, std::uint32_t now) {
  if (!ValidIndex(index)) return;
  Key& key = keys_[index];
  if (!key.held) return;
  if (down) {
    key.lastDown = now;
  } else {
    key.held = false;
    key.released = true;
  }
}

bool HeldKeys::Held(int index) const { return ValidIndex(index) && keys_[index].held; }

bool HeldKeys::AnyHeld() const {
  for (const Key& key : keys_) {
    if (key.held) return true;
  }
  return false;
}

}  // namespace lanzhi

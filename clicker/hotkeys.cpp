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
}  // namespace

bool HeldKeys::Press(int index) {
  if (!ValidIndex(index)) return false;
  if (held_[index]) return false;
  held_[index] = true;
  return true;
}

void HeldKeys::Observe(int index, bool down) {
  if (ValidIndex(index) && !down) held_[index] = false;
}

bool HeldKeys::Held(int index) const { return ValidIndex(index) && held_[index]; }

bool HeldKeys::AnyHeld() const {
  for (bool held : held_) {
    if (held) return true;
  }
  return false;
}

}  // namespace lanzhi

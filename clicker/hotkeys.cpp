#include "clicker/hotkeys.h"

namespace lanzhi {

HotkeyAction ActionForHotkey(long long id, const int (&keyIds)[4]) {
  if (id == 0) return HotkeyAction::None;
  for (int i = 0; i < 4; ++i) {
    if (keyIds[i] == id) return kHotkeyKeys[i].starts ? HotkeyAction::Start : HotkeyAction::Stop;
  }
  return HotkeyAction::None;
}

}  // namespace lanzhi

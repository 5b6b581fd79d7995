// Hotkey ids, modifier flags, and the rule that a held start key is one
// press. The registration and the filter on the main window are in
// hotkeys_win32.cpp.
#pragma once

#include <cstdint>

namespace lanzhi {

inline constexpr unsigned kHotkeyNotify = 0x8075;  // WM_APP + 0x75, sent to 标签1
inline constexpr int kFirstHotkeyId = 33001;

// Hands out ids 33001, 33002, ...: one per registration, a failed one included,
// so the keys after a failure keep the ids they would have had.
class HotkeyIds {
 public:
  int Next() { return kFirstHotkeyId + issued_++; }
  int Last() const { return kFirstHotkeyId + issued_ - 1; }
  // True for an id that was handed out (only those are passed on to the label).
  bool Issued(long long id) const { return issued_ > 0 && id >= kFirstHotkeyId && id <= Last(); }

 private:
  int issued_ = 0;
};

// Program modifiers (1 Ctrl, 2 Shift, 4 Alt, summed) to RegisterHotKey's flags
// (MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4). Values outside 1..6 pass unchanged.
constexpr unsigned HotkeyModifierFlags(unsigned modifiers) {
  switch (modifiers) {
    case 1: return 2;
    case 2: return 4;
    case 3: return 6;
    case 4: return 1;
    case 5: return 3;
    case 6: return 5;
    default: return modifiers;
  }
}

// The four keys, in the order they are registered.
struct HotkeyKey {
  unsigned virtualKey;
  bool starts;  // false: stops
};
inline constexpr HotkeyKey kHotkeyKeys[] = {
    {0x75, true},   // F6
    {0x79, true},   // F10
    {0x76, false},  // F7
    {0x7A, false},  // F11
};

enum class HotkeyAction { None, Start, Stop };

inline constexpr int kHotkeyCount = 4;

// Which of the four keys has `id` (an index into kHotkeyKeys), or -1; `keyIds`
// are the ids the keys got (0 for a key whose registration failed).
int HotkeyIndex(long long id, const int (&keyIds)[kHotkeyCount]);

// What a press with `id` does.
HotkeyAction ActionForHotkey(long long id, const int (&keyIds)[kHotkeyCount]);

// A held key repeats, and the system sends a hotkey message for every
// repeated key-down (also where MOD_NOREPEAT is ignored, as under Wine). A
// start key counts once per press: a key whose press counted stays held until
// the shell sees it up, and its notifications change nothing until then.
// Each start key on its own, so F10 pressed while F6 is held is a press.
//
// The shell reads the key states now and then (at a tick), while
// notifications can wait in the queue: a repeat from before the release may be
// handled after the tick that saw the key up. So every notification carries
// the time its key event happened, and one from no later than the last moment
// the key was seen down belongs to the press before. Times are milliseconds
// of a 32-bit tick count (compared across its wrap).
class HeldKeys {
 public:
  // A notification of key `index` whose key event happened at `eventTime`:
  // true when it is a new press.
  bool Press(int index, std::uint32_t eventTime);
  // The state of key `index` as the shell read it at `now`.
  void Observe(int index, bool down, std::uint32_t now);
  bool Held(int index) const;
  bool AnyHeld() const;

 private:
  struct Key {
    bool held = false;
    bool released = false;          // seen up since its last press
    std::uint32_t lastDown = 0;     // last moment it was known to be down
  };
  Key keys_[kHotkeyCount] = {};
};

}  // namespace lanzhi

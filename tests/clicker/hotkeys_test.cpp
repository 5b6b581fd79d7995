#include "clicker/hotkeys.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace lanzhi {
namespace {

TEST(HotkeyIds, HandsOutConsecutiveIdsFrom33001) {
  HotkeyIds ids;
  EXPECT_FALSE(ids.Issued(33001));
  EXPECT_EQ(ids.Next(), 33001);
  EXPECT_EQ(ids.Next(), 33002);
  EXPECT_EQ(ids.Next(), 33003);  // used up even when its registration fails
  EXPECT_EQ(ids.Next(), 33004);
  EXPECT_EQ(ids.Last(), 33004);
  EXPECT_TRUE(ids.Issued(33001));
  EXPECT_TRUE(ids.Issued(33004));
  EXPECT_FALSE(ids.Issued(33000));
  EXPECT_FALSE(ids.Issued(33005));
  EXPECT_FALSE(ids.Issued(1));
}

TEST(HotkeyModifierFlags, MapsProgramModifiersToSystemFlags) {
  const unsigned expected[][2] = {{0, 0}, {1, 2}, {2, 4}, {3, 6}, {4, 1},
                                  {5, 3}, {6, 5}, {7, 7}, {8, 8}};
  for (const auto& row : expected) EXPECT_EQ(HotkeyModifierFlags(row[0]), row[1]) << row[0];
}

TEST(ActionForHotkey, StartKeysStartAndStopKeysStop) {
  const int ids[4] = {33001, 33002, 33003, 33004};  // F6, F10, F7, F11
  EXPECT_EQ(ActionForHotkey(33001, ids), HotkeyAction::Start);
  EXPECT_EQ(ActionForHotkey(33002, ids), HotkeyAction::Start);
  EXPECT_EQ(ActionForHotkey(33003, ids), HotkeyAction::Stop);
  EXPECT_EQ(ActionForHotkey(33004, ids), HotkeyAction::Stop);
  EXPECT_EQ(ActionForHotkey(33005, ids), HotkeyAction::None);
  // F6 could not be registered: its id never arrives, and 0 matches nothing.
  const int failedF6[4] = {0, 33002, 33003, 33004};
  EXPECT_EQ(ActionForHotkey(0, failedF6), HotkeyAction::None);
  EXPECT_EQ(ActionForHotkey(33001, failedF6), HotkeyAction::None);
  EXPECT_EQ(ActionForHotkey(33002, failedF6), HotkeyAction::Start);
}

TEST(HotkeyKeys, AreF6F10F7F11WithoutModifiers) {
  EXPECT_EQ(kHotkeyKeys[0].virtualKey, 0x75u);
  EXPECT_EQ(kHotkeyKeys[1].virtualKey, 0x79u);
  EXPECT_EQ(kHotkeyKeys[2].virtualKey, 0x76u);
  EXPECT_EQ(kHotkeyKeys[3].virtualKey, 0x7Au);
  EXPECT_EQ(kHotkeyNotify, 0x8075u);
}

// One step of a key sequence: a notification of a key whose event happened at
// `time`, or the shell's read of a key's state at `time`.
struct KeyStep {
  enum { Notify, Read } kind;
  int key;  // index into kHotkeyKeys: 0 F6, 1 F10
  std::uint32_t time;
  bool value;  // Notify: whether it must count as a press; Read: key down
};

TEST(HeldKeys, AStartKeyCountsOncePerPress) {
  constexpr int F6 = 0, F10 = 1;
  const struct {
    const char* what;
    std::vector<KeyStep> steps;
  } cases[] = {
      {"repeats of a held key are not presses",
       {{KeyStep::Notify, F6, 1000, true}, {KeyStep::Notify, F6, 1033, false}, {KeyStep::Read, F6, 1050, true},
        {KeyStep::Notify, F6, 1066, false}, {KeyStep::Notify, F6, 1100, false}}},
      {"a release and a new press is a press",
       {{KeyStep::Notify, F6, 1000, true}, {KeyStep::Notify, F6, 1033, false}, {KeyStep::Read, F6, 1100, false},
        {KeyStep::Notify, F6, 1500, true}, {KeyStep::Notify, F6, 1533, false}}},
      {"a repeat from before the release, handled after the tick that saw the key up, is no press",
       {{KeyStep::Notify, F6, 1000, true}, {KeyStep::Read, F6, 1100, true}, {KeyStep::Read, F6, 1200, false},
        {KeyStep::Notify, F6, 1099, false}, {KeyStep::Notify, F6, 1100, false},
        {KeyStep::Notify, F6, 1150, true}}},
      {"F10 pressed while F6 is held is a press, and each is released on its own",
       {{KeyStep::Notify, F6, 1000, true}, {KeyStep::Notify, F10, 1200, true}, {KeyStep::Notify, F6, 1233, false},
        {KeyStep::Notify, F10, 1233, false}, {KeyStep::Read, F10, 1300, false}, {KeyStep::Read, F6, 1300, true},
        {KeyStep::Notify, F10, 1400, true}, {KeyStep::Notify, F6, 1433, false}}},
      {"reading a key that is up before any press changes nothing",
       {{KeyStep::Read, F6, 900, false}, {KeyStep::Notify, F6, 1000, true}, {KeyStep::Notify, F6, 1033, false}}},
      {"times compare across the wrap of the tick count",
       {{KeyStep::Notify, F6, 0xFFFFFF00u, true}, {KeyStep::Read, F6, 0xFFFFFFF0u, true},
        {KeyStep::Read, F6, 0x00000010u, false}, {KeyStep::Notify, F6, 0xFFFFFFE0u, false},
        {KeyStep::Notify, F6, 0x00000008u, true}}},
  };
  for (const auto& c : cases) {
    HeldKeys keys;
    for (std::size_t i = 0; i < c.steps.size(); ++i) {
      const KeyStep& step = c.steps[i];
      if (step.kind == KeyStep::Read) {
        keys.Observe(step.key, step.value, step.time);
      } else {
        EXPECT_EQ(keys.Press(step.key, step.time), step.value) << c.what << ", step " << i;
      }
    }
  }
}

TEST(HeldKeys, TellWhichKeysAreHeldAndIgnoreUnknownKeys) {
  HeldKeys keys;
  EXPECT_FALSE(keys.AnyHeld());
  EXPECT_FALSE(keys.Press(-1, 0));
  EXPECT_FALSE(keys.Press(kHotkeyCount, 0));
  EXPECT_FALSE(keys.AnyHeld());
  EXPECT_TRUE(keys.Press(1, 0));
  EXPECT_TRUE(keys.Held(1));
  EXPECT_FALSE(keys.Held(0));
  EXPECT_TRUE(keys.AnyHeld());
  keys.Observe(1, false, 10);
  EXPECT_FALSE(keys.AnyHeld());
}

TEST(HotkeyIndex, FindsTheKeyOfAnId) {
  const int ids[4] = {33001, 0, 33003, 33004};
  EXPECT_EQ(HotkeyIndex(33001, ids), 0);
  EXPECT_EQ(HotkeyIndex(33004, ids), 3);
  EXPECT_EQ(HotkeyIndex(33002, ids), -1);
  EXPECT_EQ(HotkeyIndex(0, ids), -1);
}

}  // namespace
}  // namespace lanzhi

#include "clicker/hotkeys.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace lanzhi

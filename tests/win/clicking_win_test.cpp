// Clicking as a user drives it: the hotkeys from another application, the
// four click actions, the three targets, the refusals and the stop.
#include <gtest/gtest.h>

#include <set>

#include "app/controls.h"
#include "harness.h"
#include "clicker/targets.h"
#include "config/messages.h"

namespace {

using harness::App;
using harness::ClickTarget;
using harness::Press;

constexpr const char* kGreeting = "欢迎使用，岚指智能鼠标点击器";

// A running program beside the test's own target window, which has the focus.
class Clicking : public ::testing::Test {
 protected:
  void Launch(std::optional<std::string> ini = harness::QuietIni()) {
    app_ = std::make_unique<App>(std::move(ini));
    ASSERT_TRUE(app_->Start());
    FocusTarget();
  }
  void FocusTarget() {
    SetForegroundWindow(target_.Window());
    harness::WaitUntil([&] { return GetForegroundWindow() == target_.Window(); });
  }
  void Pace(const char* ms) { app_->SetText("编辑框3", ms); }
  void Mode(int index) { SendMessageA(app_->Control("组合框1"), CB_SETCURSEL, index, 0); }
  void Target(const char* radio) {
    for (const char* name : {"单选框1", "单选框2", "单选框3"}) {
      SendMessageA(app_->Control(name), BM_SETCHECK, std::string(name) == radio ? BST_CHECKED : BST_UNCHECKED, 0);
    }
  }
  std::string Title() const {
    char text[128] = {};
    GetWindowTextA(app_->Window(), text, sizeof text);
    return text;
  }
  bool StatusBecomes(const std::string& text) {
    return harness::WaitUntil([&] { return app_->Text("编辑框2") == text; });
  }
  // Stops with F7 and checks that no click follows.
  void StopAndExpectQuiet(WORD key = VK_F7) {
    Press(key);
    ASSERT_TRUE(StatusBecomes(kGreeting));
    const std::size_t count = target_.Downs().size();
    harness::ObserveFor(400);
    EXPECT_EQ(target_.Downs().size(), count);
  }

  ClickTarget target_;
  std::unique_ptr<App> app_;
};

TEST_F(Clicking, StartAndStopKeysWorkWhileAnotherApplicationHasTheFocus) {
  Launch();
  ASSERT_TRUE(harness::MoveCursorTo(100, 100));
  for (const auto& [start, stop] : {std::pair<WORD, WORD>{VK_F6, VK_F7}, {VK_F10, VK_F11}}) {
    target_.Clear();
    FocusTarget();
    // Set again for each start: inside the virtual desktop the first clicks
    // of a run can land where the pointer was before (docs/wine-facts.md),
    // on the program's own spin buttons, say.
    Pace("100");
    Press(start);
    ASSERT_TRUE(target_.WaitForDowns(3)) << start;
    EXPECT_EQ(app_->Text("编辑框2"), "正在以0.1秒1次的速度左键单击");
    StopAndExpectQuiet(stop);
  }
  EXPECT_EQ(app_->Close(), 0u);
}

TEST_F(Clicking, KeysWithAModifierDoNotCount) {
  Launch();
  ASSERT_TRUE(harness::MoveCursorTo(100, 100));
  Pace("50");
  Press(VK_F6, {VK_CONTROL});
  Press(VK_F10, {VK_SHIFT});
  harness::ObserveFor(500);
  EXPECT_TRUE(target_.Downs().empty());
  EXPECT_EQ(app_->Text("编辑框2"), kGreeting);
  EXPECT_EQ(app_->Close(), 0u);
}

TEST_F(Clicking, TheOtherKeysWorkWhenAnotherProcessHoldsF6) {
  ASSERT_TRUE(RegisterHotKey(target_.Window(), 1, 0, VK_F6));
  Launch();
  ASSERT_TRUE(harness::MoveCursorTo(100, 100));
  Pace("100");
  Press(VK_F6);
  harness::ObserveFor(400);
  EXPECT_TRUE(target_.Downs().empty());
  Press(VK_F10);
  ASSERT_TRUE(target_.WaitForDowns(2));
  StopAndExpectQuiet(VK_F7);
  UnregisterHotKey(target_.Window(), 1);
  EXPECT_EQ(app_->Close(), 0u);
}

TEST_F(Clicking, EachClickModeGivesItsButtonMessages) {
  const struct {
    int mode;
    std::vector<UINT> messages;
  } cases[] = {
      {0, {WM_LBUTTONDOWN, WM_LBUTTONUP}},
      {1, {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}},
      {2, {WM_RBUTTONDOWN, WM_RBUTTONUP}},
      {3, {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK, WM_RBUTTONUP}},
  };
  Launch();
  Pace("1000");
  int spot = 0;
  for (const auto& c : cases) {
    // A fresh spot each time, so one case's click does not pair with the last.
    ASSERT_TRUE(harness::MoveCursorTo(60 + 60 * spot++, 120));
    target_.Clear();
    Mode(c.mode);
    Press(VK_F6);
    ASSERT_TRUE(harness::WaitUntil([&] { return target_.Events().size() >= c.messages.size(); })) << c.mode;
    Press(VK_F7);
    ASSERT_TRUE(StatusBecomes(kGreeting));
    std::vector<UINT> seen;
    for (std::size_t i = 0; i < c.messages.size(); ++i) seen.push_back(target_.Events()[i].message);
    EXPECT_EQ(seen, c.messages) << c.mode;
  }
  EXPECT_EQ(app_->Close(), 0u);
}

std::string ThreePositionsIni() {
  return harness::PositionsIni({{1, "40", "40"}, {2, "140", "40"}, {3, "240", "40"}});
}

// Holds `key` as a keyboard does: a key-down now and one every 33 ms (the
// auto-repeat) for `ms`, then the key-up.
void HoldKey(WORD key, double ms) {
  const double end = harness::NowMs() + ms;
  while (harness::NowMs() < end) {
    harness::Key(key, true);
    harness::ObserveFor(33);
  }
  harness::Key(key, false);
}

TEST_F(Clicking, AHeldStartKeyIsOnePress) {
  Launch(ThreePositionsIni());
  ASSERT_TRUE(harness::MoveCursorTo(100, 100));
  Pace("1000");
  HoldKey(VK_F6, 1500);
  const std::size_t whileHeld = target_.Downs().size();
  EXPECT_GE(whileHeld, 1u);
  EXPECT_LE(whileHeld, 3u);
  // The pace goes on after the release.
  ASSERT_TRUE(target_.WaitForDowns(whileHeld + 2, 4000));
  const auto paced = target_.Downs();
  EXPECT_GE(paced.back().timeMs - paced[paced.size() - 2].timeMs, 800.0);
  StopAndExpectQuiet();

  // While the key is held the tour moves on instead of starting again at 1.
  target_.Clear();
  FocusTarget();
  Target("单选框3");
  Pace("400");
  HoldKey(VK_F6, 1500);
  const auto toured = target_.Downs();
  StopAndExpectQuiet();
  // One click per 400 ms, not one per repeat. Inside the virtual desktop a
  // click can land where the previous one was aimed (tour_win_test.cpp checks
  // the exact order without it), but a tour that starts again at every
  // repeat never leaves position 1.
  EXPECT_GE(toured.size(), 3u);
  EXPECT_LE(toured.size(), 5u);
  std::set<LONG> places;
  for (const auto& down : toured) places.insert(down.screen.x);
  EXPECT_GE(places.size(), 2u) << "the tour stayed at position 1";

  // A press after the release is a press: it starts again with the settings
  // as they are now.
  target_.Clear();
  FocusTarget();
  Target("单选框2");
  Mode(2);
  Pace("300");
  Press(VK_F6);
  ASSERT_TRUE(StatusBecomes("正在以0.3秒1次的速度右键单击"));
  ASSERT_TRUE(target_.WaitForDowns(2));
  EXPECT_EQ(target_.Downs()[0].message, static_cast<UINT>(WM_RBUTTONDOWN));
  StopAndExpectQuiet();
  EXPECT_EQ(app_->Close(), 0u);
}

// Number of message boxes of the program on the screen.
int BoxesOf(DWORD processId) {
  int visible = 0;
  for (HWND box : harness::TopLevelWindows(processId, "#32770")) visible += IsWindowVisible(box) ? 1 : 0;
  return visible;
}

TEST_F(Clicking, BrokenRulesAreRefusedWithTheirMessageAndNoClick) {
  const struct {
    const char* what;
    std::string ini;
    const char* radio;
    const char* pace;
    std::string_view message;
  } cases[] = {
      {"empty speed field", harness::QuietIni(), "单选框2", "", lanzhi::kAskSpeedMessage},
      {"no position at all", harness::QuietIni(), "单选框3", "100", lanzhi::kMultiNotConfiguredMessage},
      {"third position has only X", harness::PositionsIni({{1, "40", "40"}, {2, "140", "40"}, {3, "240", ""}}),
       "单选框3", "100", lanzhi::kPositionIncompleteMessage},
      {"a coordinate without a number", harness::PositionsIni({{1, "abc", "40"}, {2, "140", "40"}}), "单选框3",
       "100", lanzhi::kConfigInvalidMessage},
      {"one complete position", harness::PositionsIni({{1, "40", "40"}}), "单选框3", "100",
       lanzhi::kTooFewPositionsMessage},
  };
  ASSERT_TRUE(harness::MoveCursorTo(100, 100));
  for (const auto& c : cases) {
    target_.Clear();
    Launch(c.ini);
    Target(c.radio);
    Pace(c.pace);
    Press(VK_F6);
    HWND box = harness::WaitForBox("岚指提示：");
    ASSERT_NE(box, nullptr) << c.what;
    EXPECT_EQ(harness::BoxText(box), c.message) << c.what;
    // Further start keys open no second box.
    Press(VK_F10);
    harness::ObserveFor(300);
    EXPECT_EQ(BoxesOf(app_->ProcessId()), 1) << c.what;
    harness::PressBoxButton(box, IDOK);
    ASSERT_TRUE(harness::WaitUntil([&] { return BoxesOf(app_->ProcessId()) == 0; })) << c.what;
    harness::ObserveFor(200);
    EXPECT_TRUE(target_.Downs().empty()) << c.what;
    EXPECT_EQ(app_->Text("编辑框2"), kGreeting) << c.what;
    EXPECT_EQ(app_->Close(), 0u) << c.what;
  }
}

TEST_F(Clicking, ClosingWhileClickingEndsWithZeroAndNoFurtherClick) {
  Launch();
  ASSERT_TRUE(harness::MoveCursorTo(100, 100));
  Pace("20");
  Press(VK_F6);
  ASSERT_TRUE(target_.WaitForDowns(5));
  EXPECT_EQ(app_->Close(), 0u);
  const std::size_t count = target_.Downs().size();
  harness::ObserveFor(300);
  EXPECT_EQ(target_.Downs().size(), count);
}

TEST_F(Clicking, TheHiddenButtonsStartAndStop) {
  Launch();
  ASSERT_TRUE(harness::MoveCursorTo(100, 100));
  Pace("100");
  const auto click = [&](const char* button) {
    SendMessageA(app_->Window(), WM_COMMAND, MAKEWPARAM(lanzhi::ControlId(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(app_->Control(button)));
  };
  click("按钮1");
  ASSERT_TRUE(target_.WaitForDowns(2));
  click("按钮2");
  ASSERT_TRUE(StatusBecomes(kGreeting));
  const std::size_t count = target_.Downs().size();
  harness::ObserveFor(400);
  EXPECT_EQ(target_.Downs().size(), count);
  EXPECT_EQ(app_->Close(), 0u);
}

TEST_F(Clicking, TheTitleReadsOutTheCursorOutsideTheWindow) {
  Launch();
  ASSERT_TRUE(harness::MoveCursorTo(10, 20));
  EXPECT_TRUE(harness::WaitUntil([&] { return Title() == "X轴：10 Y轴：20"; })) << Title();
  const RECT r = harness::ScreenRect(app_->Control("编辑框2"));
  ASSERT_TRUE(harness::MoveCursorTo(r.left + 5, r.top + 5));
  EXPECT_TRUE(harness::WaitUntil([&] { return Title() == "岚指智能鼠标点击器"; })) << Title();
  EXPECT_EQ(app_->Close(), 0u);
}

TEST_F(Clicking, TheTitleFollowsTheWindowMovedUnderARestingCursor) {
  Launch();
  // A resting cursor, away from the window and from the target.
  ASSERT_TRUE(harness::MoveCursorTo(150, 600));
  ASSERT_TRUE(harness::WaitUntil([&] { return Title() == "X轴：150 Y轴：600"; })) << Title();
  const RECT home = harness::ScreenRect(app_->Window());
  constexpr UINT kMoveOnly = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
  SetWindowPos(app_->Window(), nullptr, 100, 550, 0, 0, kMoveOnly);
  EXPECT_TRUE(harness::WaitUntil([&] { return Title() == "岚指智能鼠标点击器"; }, 2000)) << Title();
  SetWindowPos(app_->Window(), nullptr, home.left, home.top, 0, 0, kMoveOnly);
  EXPECT_TRUE(harness::WaitUntil([&] { return Title() == "X轴：150 Y轴：600"; }, 2000)) << Title();
  EXPECT_EQ(app_->Close(), 0u);
}

}  // namespace

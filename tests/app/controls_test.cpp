#include "app/controls.h"

#include <gtest/gtest.h>

#include <set>

namespace lanzhi {
namespace {

TEST(ControlTable, HoldsTheSeventySixControlsInControlOrder) {
  const auto& t = ControlTable();
  ASSERT_EQ(t.size(), 76u);
  const char* head[] = {"组合框1", "透明标签1", "编辑框2", "按钮1",  "时钟1",  "透明标签5",
                        "编辑框3", "按钮2",     "透明标签2", "标签1", "编辑框1", "编辑框4",
                        "时钟2",   "时钟3",     "单选框1", "单选框2", "单选框3", "时钟4",
                        "编辑框5"};
  for (std::size_t i = 0; i < std::size(head); ++i) EXPECT_EQ(t[i].name, head[i]) << i;
  EXPECT_EQ(t[24].name, "时钟5");
  EXPECT_EQ(t[25].name, "时钟6");
  EXPECT_EQ(t[26].name, "编辑框11");
  EXPECT_EQ(t[46].name, "时钟9");
  EXPECT_EQ(t[69].name, "编辑框50");
  EXPECT_EQ(t[70].name, "时钟11");
  EXPECT_EQ(t[74].name, "时钟15");
  EXPECT_EQ(t[75].name, "编辑框51");

  std::set<std::string> names;
  int counts[7] = {};
  for (const auto& c : t) {
    names.insert(c.name);
    ++counts[static_cast<int>(c.kind)];
  }
  EXPECT_EQ(names.size(), 76u);
  EXPECT_EQ(counts[static_cast<int>(ControlKind::Edit)], 51);
  EXPECT_EQ(counts[static_cast<int>(ControlKind::Timer)], 15);
  EXPECT_EQ(counts[static_cast<int>(ControlKind::Radio)], 3);
  EXPECT_EQ(counts[static_cast<int>(ControlKind::Button)], 2);
  EXPECT_EQ(counts[static_cast<int>(ControlKind::Combo)], 1);
  EXPECT_EQ(counts[static_cast<int>(ControlKind::Label)], 1);
  EXPECT_EQ(counts[static_cast<int>(ControlKind::TransparentLabel)], 3);
}

TEST(ControlTable, OnlyTheNineVisibleControlsAreShown) {
  std::set<std::string> visible;
  for (const auto& c : ControlTable()) {
    if (c.visible) visible.insert(c.name);
  }
  EXPECT_EQ(visible, (std::set<std::string>{"组合框1", "透明标签1", "编辑框2", "透明标签5", "编辑框3",
                                            "透明标签2", "单选框1", "单选框2", "单选框3"}));
}

TEST(ControlTable, FieldGridHasSevenColumnsBelowTheClientArea) {
  const auto& t = ControlTable();
  for (int n = 5; n <= 51; ++n) {
    const ControlSpec& c = t[static_cast<std::size_t>(ControlIndex("编辑框" + std::to_string(n)))];
    const int r = (n - 5) / 7;
    const int col = (n - 5) % 7;
    EXPECT_EQ(c.x, 16 + 32 * col) << n;
    EXPECT_EQ(c.y, 160 + 24 * r) << n;
    EXPECT_EQ(c.width, 32);
    EXPECT_EQ(c.height, 24);
    EXPECT_TRUE(c.text.empty());
    EXPECT_TRUE(c.tabStop);
    EXPECT_FALSE(c.visible);
  }
  EXPECT_EQ(t[static_cast<std::size_t>(ControlIndex("编辑框51"))].x, 144);
  EXPECT_EQ(t[static_cast<std::size_t>(ControlIndex("编辑框51"))].y, 304);
}

TEST(ControlTable, VisibleControlsHaveTheirPlacesTextsAndColours) {
  const auto& t = ControlTable();
  const auto at = [&](const char* name) -> const ControlSpec& {
    return t[static_cast<std::size_t>(ControlIndex(name))];
  };
  EXPECT_EQ(at("编辑框3").text, "1000");
  EXPECT_EQ(at("编辑框3").lengthLimit, 5);
  EXPECT_EQ(at("编辑框3").x + at("编辑框3").width, 207);  // the spin buttons start here
  EXPECT_EQ(at("编辑框2").text, "\xBB\xB6\xD3\xAD\xCA\xB9\xD3\xC3\xA3\xAC\xE1\xB0\xD6\xB8\xD6\xC7"
                                "\xC4\xDC\xCA\xF3\xB1\xEA\xB5\xE3\xBB\xF7\xC6\xF7");
  EXPECT_EQ(at("编辑框2").textColour, (Rgb{0, 224, 128}));
  EXPECT_EQ(at("组合框1").textColour, (Rgb{0, 136, 255}));
  EXPECT_EQ(at("组合框1").background, (Rgb{255, 255, 255}));
  EXPECT_TRUE(at("单选框2").faceBackground);
  EXPECT_TRUE(at("透明标签2").relief);
  EXPECT_TRUE(at("透明标签2").handCursor);
  EXPECT_FALSE(at("透明标签2").text.empty());
  EXPECT_EQ(at("按钮1").y, 386);
  EXPECT_EQ(at("按钮2").text, "停止点击");
  EXPECT_EQ(ControlId("组合框1"), kFirstControlId);
  EXPECT_EQ(ControlId("编辑框51"), kFirstControlId + 75);
  EXPECT_EQ(ControlId("没有"), 0);
}

// The window's focus states as the table gives them at start-up.
std::vector<FocusState> StartupStates() {
  std::vector<FocusState> states;
  for (const auto& c : ControlTable()) {
    states.push_back({c.tabStop, c.visible, true, c.kind == ControlKind::Radio});
  }
  return states;
}

TEST(TabWalk, VisitsTheSixVisibleTabStopsAndWraps) {
  const auto states = StartupStates();
  std::vector<std::string> visited;
  int i = ControlIndex("组合框1");
  for (int step = 0; step < 6; ++step) {
    i = NextTabStop(states, i, true);
    visited.push_back(ControlTable()[static_cast<std::size_t>(i)].name);
  }
  EXPECT_EQ(visited, (std::vector<std::string>{"编辑框2", "编辑框3", "单选框1", "单选框2", "单选框3",
                                               "组合框1"}));
  EXPECT_EQ(NextTabStop(states, ControlIndex("组合框1"), false), ControlIndex("单选框3"));
}

TEST(TabWalk, SkipsDisabledAndHiddenAndStartsFromOutsideTheList) {
  auto states = StartupStates();
  states[static_cast<std::size_t>(ControlIndex("编辑框3"))].enabled = false;
  EXPECT_EQ(NextTabStop(states, ControlIndex("编辑框2"), true), ControlIndex("单选框1"));
  // From a control outside the list (a hidden button) to the next member.
  EXPECT_EQ(NextTabStop(states, ControlIndex("按钮1"), true), ControlIndex("单选框1"));
  EXPECT_EQ(NextTabStop(states, ControlIndex("按钮1"), false), ControlIndex("编辑框2"));
  EXPECT_EQ(NextTabStop(states, -1, true), ControlIndex("组合框1"));
  EXPECT_EQ(NextTabStop(states, -1, false), ControlIndex("单选框3"));
  EXPECT_EQ(NextTabStop(std::vector<FocusState>(3), 0, true), -1);
}

TEST(RadioWalk, MovesAmongTheRadioBoxesWithWrap) {
  const auto states = StartupStates();
  const int r1 = ControlIndex("单选框1"), r2 = ControlIndex("单选框2"), r3 = ControlIndex("单选框3");
  EXPECT_EQ(NextRadio(states, r1, true), r2);
  EXPECT_EQ(NextRadio(states, r3, true), r1);
  EXPECT_EQ(NextRadio(states, r1, false), r3);
  EXPECT_EQ(NextRadio(states, r2, false), r1);
}

struct SpeedCase {
  const char* text;
  const char* normalised;
};

TEST(SpeedField, NormalisesOnFocusLoss) {
  const SpeedCase cases[] = {
      {"12ab", "12"}, {"007", "7"}, {"1-2", "1"}, {"0", ""}, {"-0", ""}, {"abc", ""},
      {"-", ""}, {"", ""}, {"1000", "1000"}, {"-15", "-15"}, {"  42", "42"}, {"+5", "5"},
      {"2147483648", "2147483647"}, {"99999999999999999999999", "2147483647"},
      {"-2147483649", "-2147483648"}, {"-99999999999999999999999", "-2147483648"}};
  for (const auto& c : cases) EXPECT_EQ(NormaliseSpeedText(c.text), c.normalised) << c.text;
}

TEST(SpeedField, SpinButtonsWrapWithinTheRange) {
  struct Spin {
    const char* text;
    bool up;
    const char* result;
  };
  const Spin cases[] = {{"10000", true, "0"},   {"0", false, "10000"}, {"", true, "1"},
                        {"", false, "10000"},   {"-5", true, "0"},     {"20000", false, "10000"},
                        {"999", true, "1000"},  {"1000", false, "999"}, {"1", false, "0"},
                        {"9999", true, "10000"}, {"abc", true, "1"},    {"2147483647", true, "0"},
                        {"-2147483648", false, "10000"}};
  for (const auto& c : cases) EXPECT_EQ(SpinSpeedText(c.text, c.up), c.result) << c.text << c.up;
}

TEST(SpeedField, AcceptsOnlyDigitsMinusAndControlCodes) {
  for (unsigned ch = '0'; ch <= '9'; ++ch) EXPECT_TRUE(SpeedFieldAccepts(ch));
  EXPECT_TRUE(SpeedFieldAccepts('-'));
  EXPECT_TRUE(SpeedFieldAccepts(8));    // Backspace
  EXPECT_TRUE(SpeedFieldAccepts(22));   // Ctrl+V
  EXPECT_FALSE(SpeedFieldAccepts('a'));
  EXPECT_FALSE(SpeedFieldAccepts('.'));
  EXPECT_FALSE(SpeedFieldAccepts(' '));
  EXPECT_FALSE(SpeedFieldAccepts('+'));
  EXPECT_FALSE(SpeedFieldAccepts(0xA3));
}

TEST(ComboSelection, ClampsAboveAndClearsBelow) {
  EXPECT_EQ(ComboSelectionFor(7, 4), 3);
  EXPECT_EQ(ComboSelectionFor(3, 4), 3);
  EXPECT_EQ(ComboSelectionFor(0, 4), 0);
  EXPECT_EQ(ComboSelectionFor(-1, 4), -1);
  EXPECT_EQ(ComboSelectionFor(-5, 4), -1);
}

TEST(TimerPeriod, RestartsOnlyOnAChange) {
  struct Row {
    int current, requested;
    TimerChange expected;
  };
  const Row rows[] = {
      {0, 100, {100, false, 100}},  // start a stopped timer
      {100, 100, {100, false, 0}},  // same period: untouched, keeps its rhythm
      {100, 50, {50, true, 50}},    // new period: restart
      {100, 0, {0, true, 0}},       // stop
      {100, -5, {0, true, 0}},      // negative counts as 0
      {0, -5, {0, false, 0}},
      {0, 0, {0, false, 0}},
  };
  for (const auto& r : rows) {
    const TimerChange c = TimerPeriodChange(r.current, r.requested);
    EXPECT_EQ(c.period, r.expected.period) << r.current << "->" << r.requested;
    EXPECT_EQ(c.kill, r.expected.kill) << r.current << "->" << r.requested;
    EXPECT_EQ(c.start, r.expected.start) << r.current << "->" << r.requested;
  }
}

}  // namespace
}  // namespace lanzhi

// Multi-position clicking visits the stored positions in their exact order.
// Run with plain X11 windows under a window manager (LANZHI_DESKTOP=none):
// inside a Wine virtual desktop a click right after a cursor jump can land
// where the pointer was before, as the pointer's X events lag behind.
#include <gtest/gtest.h>

#include "harness.h"

namespace {

TEST(Tour, VisitsThePositionsInTurnAndStopsOnTheStopKey) {
  harness::ClickTarget target;
  harness::App app(harness::PositionsIni({{1, "40", "40"}, {2, "140", "40"}, {3, "240", "40"}}));
  ASSERT_TRUE(app.Start());
  for (const char* radio : {"单选框1", "单选框2", "单选框3"}) {
    SendMessageA(app.Control(radio), BM_SETCHECK, std::string(radio) == "单选框3" ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  app.SetText("编辑框3", "300");
  SetForegroundWindow(target.Window());
  ASSERT_TRUE(harness::WaitUntil([&] { return GetForegroundWindow() == target.Window(); }));
  harness::Press(VK_F6);
  ASSERT_TRUE(target.WaitForDowns(7));
  EXPECT_EQ(app.Text("编辑框2"), "正在以0.9秒3处的速度左键单击");
  harness::Press(VK_F7);
  ASSERT_TRUE(harness::WaitUntil([&] { return app.Text("编辑框2") == "欢迎使用，岚指智能鼠标点击器"; }));
  const auto downs = target.Downs();
  harness::ObserveFor(500);
  EXPECT_EQ(target.Downs().size(), downs.size()) << "a click after the stop key";
  std::vector<POINT> seen, expected;
  for (std::size_t i = 0; i < downs.size(); ++i) {
    seen.push_back(downs[i].screen);
    expected.push_back({40 + 100 * static_cast<LONG>(i % 3), 40});
  }
  for (std::size_t i = 0; i < seen.size(); ++i) {
    EXPECT_EQ(seen[i].x, expected[i].x) << "click " << i;
    EXPECT_EQ(seen[i].y, expected[i].y) << "click " << i;
  }
  EXPECT_EQ(app.Close(), 0u);
}

}  // namespace

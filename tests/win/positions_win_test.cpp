// Where clicks land: at the cursor, at the fixed point, and in turn over the
// stored positions. Run with plain X11 windows under a
// window manager (LANZHI_DESKTOP=none): inside a Wine virtual desktop a click
// right after a cursor jump can land where the pointer was before, as the
// pointer's X events lag behind.
#include <gtest/gtest.h>

#include "harness.h"

namespace {

constexpr const char* kGreeting = "欢迎使用，岚指智能鼠标点击器";

class Positions : public ::testing::Test {
 protected:
  void Launch(const std::string& ini, const char* radio, const char* pace) {
    app_ = std::make_unique<harness::App>(ini);
    ASSERT_TRUE(app_->Start());
    for (const char* name : {"单选框1", "单选框2", "单选框3"}) {
      SendMessageA(app_->Control(name), BM_SETCHECK, std::string(name) == radio ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    // The keys work whichever window has the focus (and the window manager
    // may refuse to hand it back to the target).
    app_->SetText("编辑框3", pace);
  }
  // Stops with F7; the downs received until then, and no click after it.
  std::vector<harness::ClickTarget::Event> Stop() {
    harness::Press(VK_F7);
    EXPECT_TRUE(harness::WaitUntil([&] { return app_->Text("编辑框2") == kGreeting; }));
    const auto downs = target_.Downs();
    harness::ObserveFor(500);
    EXPECT_EQ(target_.Downs().size(), downs.size()) << "a click after the stop key";
    return downs;
  }

  harness::ClickTarget target_;
  std::unique_ptr<harness::App> app_;
};

TEST_F(Positions, AnyPositionFollowsTheMouse) {
  Launch(harness::QuietIni(), "单选框2", "300");
  ASSERT_TRUE(harness::MoveCursorTo(100, 100));
  harness::Press(VK_F6);
  ASSERT_TRUE(target_.WaitForDowns(1));
  EXPECT_EQ(target_.Downs()[0].screen.x, 100);
  EXPECT_EQ(target_.Downs()[0].screen.y, 100);
  ASSERT_TRUE(harness::MoveCursorTo(200, 150));
  const std::size_t before = target_.Downs().size();
  ASSERT_TRUE(harness::WaitUntil([&] { return target_.Downs().size() > before + 1; }));
  const auto downs = Stop();
  EXPECT_EQ(downs.back().screen.x, 200);
  EXPECT_EQ(downs.back().screen.y, 150);
  EXPECT_EQ(app_->Close(), 0u);
}

TEST_F(Positions, FixedPositionKeepsThePointOfTheStart) {
  Launch(harness::QuietIni(), "单选框1", "300");
  ASSERT_TRUE(harness::MoveCursorTo(50, 60));
  harness::Press(VK_F6);
  ASSERT_TRUE(target_.WaitForDowns(1));
  ASSERT_TRUE(harness::MoveCursorTo(250, 200));
  ASSERT_TRUE(target_.WaitForDowns(3));
  // Every click puts the cursor back on the point.
  EXPECT_EQ(harness::CursorPos().x, 50);
  EXPECT_EQ(harness::CursorPos().y, 60);
  for (const auto& down : Stop()) {
    EXPECT_EQ(down.screen.x, 50);
    EXPECT_EQ(down.screen.y, 60);
  }
  EXPECT_EQ(app_->Close(), 0u);
}

TEST_F(Positions, MultiPositionVisitsThePositionsInTurn) {
  Launch(harness::PositionsIni({{1, "40", "40"}, {2, "140", "40"}, {3, "240", "40"}}), "单选框3", "300");
  harness::Press(VK_F6);
  ASSERT_TRUE(target_.WaitForDowns(7));
  EXPECT_EQ(app_->Text("编辑框2"), "正在以0.9秒3处的速度左键单击");
  const auto downs = Stop();
  for (std::size_t i = 0; i < downs.size(); ++i) {
    EXPECT_EQ(downs[i].screen.x, 40 + 100 * static_cast<LONG>(i % 3)) << "click " << i;
    EXPECT_EQ(downs[i].screen.y, 40) << "click " << i;
  }
  EXPECT_EQ(app_->Close(), 0u);
}

}  // namespace

#include "clicker/click_loop.h"

#include <gtest/gtest.h>

namespace lanzhi {
namespace {

TEST(ClickSchedule, IssuesTheFirstClickAtTheStart) {
  ClickSchedule s(1000, 5000);
  EXPECT_EQ(s.TakeDue(5000), 1);
  EXPECT_EQ(s.TakeDue(5000), 0);
  EXPECT_EQ(s.TakeDue(5999.9), 0);  // never before it is due
  EXPECT_EQ(s.TakeDue(6000), 1);
}

TEST(ClickSchedule, LateTicksDoNotAccumulateLateness) {
  ClickSchedule s(100, 0);
  EXPECT_EQ(s.TakeDue(0), 1);
  // Each tick 7 ms late: click k still falls due at k * 100.
  long long total = 1;
  for (int k = 1; k <= 50; ++k) total += s.TakeDue(k * 100.0 + 7);
  EXPECT_EQ(total, 51);
  EXPECT_DOUBLE_EQ(s.NextDue(), 5100);
}

TEST(ClickSchedule, ShortPacesIssueEveryDueClickPerTick) {
  ClickSchedule s(1, 0);
  long long total = 0;
  for (int t = 0; t <= 1000; t += 10) total += s.TakeDue(t);
  EXPECT_EQ(total, 1001);  // clicks due at 0, 1, ..., 1000
}

TEST(ClickSchedule, FractionalPacesKeepTheirRate) {
  ClickSchedule s(2.5, 0);
  long long total = 0;
  for (int t = 0; t <= 1000; t += 10) total += s.TakeDue(t);
  EXPECT_EQ(total, 401);
}

TEST(ClickSchedule, BurstsAreLimitedToOneHundredMillisecondsOfPace) {
  ClickSchedule s(1, 0);
  EXPECT_EQ(s.TakeDue(0), 1);
  EXPECT_EQ(s.TakeDue(99), 99);     // a 100 ms hiccup is caught up
  EXPECT_EQ(s.TakeDue(1000), 100);  // a longer stall: one burst, no catching up
  EXPECT_EQ(s.TakeDue(1000), 0);
  EXPECT_EQ(s.TakeDue(1001), 1);    // the schedule goes on from the stall
  ClickSchedule slow(1000, 0);
  EXPECT_EQ(slow.TakeDue(0), 1);
  EXPECT_EQ(slow.TakeDue(60000), 1);  // at least one, then restart from now
  EXPECT_EQ(slow.TakeDue(60999), 0);
  EXPECT_EQ(slow.TakeDue(61000), 1);
}

TEST(ClickSchedule, TimerAimsJustBeforeTheNextClick) {
  ClickSchedule fast(5, 0);
  EXPECT_EQ(fast.TimerPeriod(0), ClickSchedule::kFineTickMs);
  ClickSchedule slow(1000, 0);
  slow.TakeDue(0);
  EXPECT_EQ(slow.TimerPeriod(0), 990u);
  EXPECT_EQ(slow.TimerPeriod(985), ClickSchedule::kFineTickMs);
  EXPECT_EQ(slow.TimerPeriod(500.5), 489u);
}

struct StatusCase {
  TargetMode target;
  ClickMode mode;
  double pace;
  int positions;
  const char* text;
};

TEST(RunningStatus, TellsThePaceInSecondsAndTheAction) {
  const StatusCase cases[] = {
      {TargetMode::AnyPosition, ClickMode::LeftSingle, 1000, 0, "正在以1秒1次的速度左键单击"},
      {TargetMode::FixedPosition, ClickMode::LeftDouble, 500, 0, "正在以0.5秒1次的速度左键双击"},
      {TargetMode::AnyPosition, ClickMode::RightSingle, 1234, 0, "正在以1.234秒1次的速度右键单击"},
      {TargetMode::AnyPosition, ClickMode::RightDouble, 10000, 0, "正在以10秒1次的速度右键双击"},
      {TargetMode::AnyPosition, ClickMode::LeftSingle, 1, 0, "正在以0.001秒1次的速度左键单击"},
      {TargetMode::AnyPosition, ClickMode::LeftSingle, 1500, 0, "正在以1.5秒1次的速度左键单击"},
      {TargetMode::AnyPosition, static_cast<ClickMode>(7), 1000, 0, "正在以1秒1次的速度左键单击"},
      {TargetMode::MultiPosition, ClickMode::RightDouble, 1000, 3, "正在以3秒3处的速度右键双击"},
      {TargetMode::MultiPosition, ClickMode::LeftSingle, 500, 2, "正在以1秒2处的速度左键单击"},
      {TargetMode::MultiPosition, ClickMode::LeftDouble, 250, 10, "正在以2.5秒10处的速度左键双击"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RunningStatus(c.target, c.mode, c.pace, c.positions), c.text) << c.pace;
  }
}

TEST(CursorReadout, LabelsBothCoordinates) {
  EXPECT_EQ(CursorReadout(640, 360), "X轴：640 Y轴：360");
  EXPECT_EQ(CursorReadout(-5, 0), "X轴：-5 Y轴：0");
}

}  // namespace
}  // namespace lanzhi

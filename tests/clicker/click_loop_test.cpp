#include "clicker/click_loop.h"

#include <gtest/gtest.h>

#include <functional>

#include "config/messages.h"

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
  EXPECT_EQ(slow.TimerPeriod(985), 16u);          // aim just past the click
  EXPECT_EQ(slow.TimerPeriod(984.5), 17u);
  EXPECT_EQ(slow.TimerPeriod(990.5), 11u);
  EXPECT_EQ(slow.TimerPeriod(995), ClickSchedule::kFineTickMs);
  EXPECT_EQ(slow.TimerPeriod(500.5), 489u);
  ClickSchedule sixteen(16, 0);
  sixteen.TakeDue(0);
  EXPECT_EQ(sixteen.TimerPeriod(0.2), 17u);
  ClickSchedule huge(1e12, 0);
  huge.TakeDue(0);
  EXPECT_EQ(huge.TimerPeriod(0), ClickSchedule::kLongestTickMs);
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

namespace lanzhi {
namespace {

// Records what the loop does; the clock and the cursor are set by the test.
class FakeEnvironment : public ClickEnvironment {
 public:
  double now = 0;
  ScreenPoint cursor{10, 20};
  PositionTexts positions;
  std::string status = std::string(kGreeting);
  unsigned timerPeriod = 0;
  std::vector<std::pair<ScreenPoint, ClickMode>> clicks;
  std::vector<std::string> notices;
  std::function<void()> whileNoticeOpen;

  double Now() override { return now; }
  ScreenPoint Cursor() override { return cursor; }
  void Click(ScreenPoint at, ClickMode mode) override { clicks.emplace_back(at, mode); }
  PositionTexts ReadPositions() override { return positions; }
  void SetStatus(std::string_view text) override { status = text; }
  void SetTimerPeriod(unsigned p) override { timerPeriod = p; }
  void ShowNotice(std::string_view text, NoticeKind) override {
    notices.emplace_back(text);
    if (whileNoticeOpen) whileNoticeOpen();
  }
};

LoopSettings Settings(const char* pace, TargetMode target = TargetMode::AnyPosition,
                      ClickMode mode = ClickMode::LeftSingle) {
  return {mode, pace, target};
}

TEST(ClickLoop, ClicksAtTheStartAndThenOncePerPaceUntilStopped) {
  FakeEnvironment env;
  ClickLoop loop(env);
  env.now = 1000;
  loop.Start(Settings("100"));
  EXPECT_TRUE(loop.Running());
  EXPECT_EQ(env.clicks.size(), 1u);
  EXPECT_EQ(env.status, "正在以0.1秒1次的速度左键单击");
  EXPECT_GT(env.timerPeriod, 0u);
  for (double t = 1010; t <= 1500; t += 10) {
    env.now = t;
    loop.Tick();
  }
  EXPECT_EQ(env.clicks.size(), 6u);
  loop.Stop();
  EXPECT_FALSE(loop.Running());
  EXPECT_EQ(env.timerPeriod, 0u);
  EXPECT_EQ(env.status, kGreeting);
  env.now = 5000;
  loop.Tick();
  EXPECT_EQ(env.clicks.size(), 6u);
  EXPECT_TRUE(env.notices.empty());
}

TEST(ClickLoop, RefusesAStartWithoutAUsablePace) {
  for (const char* pace : {"", "0", "-5", "abc", "0.5", "1e999"}) {
    FakeEnvironment env;
    ClickLoop loop(env);
    loop.Start(Settings(pace));
    EXPECT_FALSE(loop.Running()) << pace;
    EXPECT_TRUE(env.clicks.empty()) << pace;
    EXPECT_EQ(env.notices, std::vector<std::string>{std::string(kAskSpeedMessage)}) << pace;
  }
  FakeEnvironment env;
  ClickLoop loop(env);
  loop.Start(Settings("1.5"));  // fractional paces of 1 ms or more are used as they are
  EXPECT_TRUE(loop.Running());
  EXPECT_EQ(env.status, "正在以0.0015秒1次的速度左键单击");
}

TEST(ClickLoop, AnyPositionFollowsTheCursorAndFixedPositionDoesNot) {
  FakeEnvironment env;
  ClickLoop loop(env);
  loop.Start(Settings("100", TargetMode::AnyPosition, ClickMode::RightDouble));
  env.cursor = {300, 400};
  env.now = 100;
  loop.Tick();
  ASSERT_EQ(env.clicks.size(), 2u);
  EXPECT_EQ(env.clicks[0].first, (ScreenPoint{10, 20}));
  EXPECT_EQ(env.clicks[1].first, (ScreenPoint{300, 400}));
  EXPECT_EQ(env.clicks[1].second, ClickMode::RightDouble);

  FakeEnvironment fixedEnv;
  ClickLoop fixed(fixedEnv);
  fixed.Start(Settings("100", TargetMode::FixedPosition));
  fixedEnv.cursor = {300, 400};
  fixedEnv.now = 100;
  fixed.Tick();
  ASSERT_EQ(fixedEnv.clicks.size(), 2u);
  EXPECT_EQ(fixedEnv.clicks[1].first, (ScreenPoint{10, 20}));
}

TEST(ClickLoop, MultiPositionToursTheStoredPositions) {
  FakeEnvironment env;
  env.positions.x[0] = "1", env.positions.y[0] = "2";
  env.positions.x[2] = "5", env.positions.y[2] = "6";
  ClickLoop loop(env);
  loop.Start(Settings("1000", TargetMode::MultiPosition, ClickMode::RightDouble));
  EXPECT_EQ(env.status, "正在以2秒2处的速度右键双击");
  for (int k = 1; k <= 3; ++k) {
    env.now = 1000.0 * k;
    loop.Tick();
  }
  ASSERT_EQ(env.clicks.size(), 4u);
  EXPECT_EQ(env.clicks[0].first, (ScreenPoint{1, 2}));
  EXPECT_EQ(env.clicks[1].first, (ScreenPoint{5, 6}));
  EXPECT_EQ(env.clicks[2].first, (ScreenPoint{1, 2}));
  EXPECT_EQ(env.clicks[3].first, (ScreenPoint{5, 6}));
}

TEST(ClickLoop, BrokenPositionRulesRefuseWithTheirMessage) {
  FakeEnvironment env;
  env.positions.x[0] = "1", env.positions.y[0] = "2";
  ClickLoop loop(env);
  loop.Start(Settings("1000", TargetMode::MultiPosition));
  EXPECT_FALSE(loop.Running());
  EXPECT_TRUE(env.clicks.empty());
  EXPECT_EQ(env.notices, std::vector<std::string>{std::string(kTooFewPositionsMessage)});
}

TEST(ClickLoop, AStartWhileRunningAppliesTheNewSettings) {
  FakeEnvironment env;
  ClickLoop loop(env);
  loop.Start(Settings("1000"));
  env.now = 10;
  loop.Start(Settings("500", TargetMode::AnyPosition, ClickMode::LeftDouble));
  EXPECT_EQ(env.clicks.size(), 2u);  // the new run clicks at once
  EXPECT_EQ(env.clicks[1].second, ClickMode::LeftDouble);
  EXPECT_EQ(env.status, "正在以0.5秒1次的速度左键双击");
  // A refused restart leaves nothing clicking.
  loop.Start(Settings(""));
  EXPECT_FALSE(loop.Running());
  EXPECT_EQ(env.timerPeriod, 0u);
  EXPECT_EQ(env.status, kGreeting);
}

TEST(ClickLoop, WhileANoticeIsOpenStartKeysOpenNoSecondBoxAndStopKeysAct) {
  FakeEnvironment env;
  ClickLoop loop(env);
  int nested = 0;
  env.whileNoticeOpen = [&] {
    if (nested++ > 0) return;
    loop.Start(Settings(""));      // would ask again
    loop.Start(Settings("100"));   // would start
    EXPECT_FALSE(loop.Running());
  };
  loop.Start(Settings(""));
  EXPECT_EQ(env.notices.size(), 1u);
  EXPECT_FALSE(loop.NoticeOpen());
  EXPECT_TRUE(env.clicks.empty());
}

TEST(ClickLoop, RemindsToRestAfterHalfAnHourOfContinuousClicking) {
  FakeEnvironment env;
  ClickLoop loop(env);
  loop.Start(Settings("60000"));
  env.now = kRestReminderAfterMs - 1;
  loop.Stop();
  EXPECT_TRUE(env.notices.empty());

  loop.Start(Settings("60000"));
  env.now += kRestReminderAfterMs / 2;
  loop.Start(Settings("30000"));  // a restart does not end the continuous run
  env.now += kRestReminderAfterMs / 2;
  bool stoppedFirst = false;
  env.whileNoticeOpen = [&] { stoppedFirst = !loop.Running(); };
  loop.Stop();
  EXPECT_EQ(env.notices, std::vector<std::string>{std::string(kRestReminderMessage)});
  EXPECT_TRUE(stoppedFirst);
}

TEST(ClickLoop, HaltStopsWithoutAnyNotice) {
  FakeEnvironment env;
  ClickLoop loop(env);
  loop.Start(Settings("10"));
  env.now = kRestReminderAfterMs * 2;
  loop.Halt();
  EXPECT_FALSE(loop.Running());
  EXPECT_TRUE(env.notices.empty());
  EXPECT_EQ(env.timerPeriod, 0u);
}

}  // namespace
}  // namespace lanzhi

#include <random>

#include "tests/clicker/busy_machine.h"

namespace lanzhi {
namespace {

// How late each tick comes, by tick number.
struct Lateness {
  const char* name;
  bool modest;  // late by less than the burst window, every tick
  double (*late)(std::mt19937& random, int tick, double pace);
};

const Lateness kLateness[] = {
    {"on time", true, [](std::mt19937&, int, double) { return 0.0; }},
    {"up to 30 ms late", true,
     [](std::mt19937& random, int, double) { return std::uniform_real_distribution<double>(0, 30)(random); }},
    {"every 7th tick three paces late", false,
     [](std::mt19937& random, int tick, double pace) {
       return tick % 7 == 6 ? 3 * pace : std::uniform_real_distribution<double>(0, 5)(random);
     }},
    {"every tick up to two paces late", false,
     [](std::mt19937& random, int, double pace) { return std::uniform_real_distribution<double>(0, 2 * pace)(random); }},
};

TEST(ClickLoopOnABusyMachine, KeepsClickingOnScheduleWhateverTheClicksCostAndHowLateTicksCome) {
  const double paces[] = {1, 9.5, 10, 10.5, 16, 33, 1000};
  const double costs[] = {0, 0.3, 2, 12};
  for (const double pace : paces) {
    for (const double cost : costs) {
      for (const Lateness& lateness : kLateness) {
        std::mt19937 random(1234);
        testing::LoopDriver driver;
        driver.env.clickCostMs = cost;
        driver.env.now = 5000;
        const std::string paceText = NumberToText(pace);
        driver.Start({ClickMode::LeftSingle, paceText, TargetMode::AnyPosition});
        const double runMs = pace >= 1000 ? 30000 : 5000;
        const double end = driver.RunStart() + runMs;
        int tick = 0;
        while (driver.env.now < end && driver.Violation().empty()) {
          ASSERT_TRUE(driver.Tick(lateness.late(random, tick++, pace)));
        }
        const std::string where = "pace " + paceText + " ms, click cost " + NumberToText(cost) +
                                  " ms, ticks " + lateness.name;
        EXPECT_EQ(driver.Violation(), "") << where;
        EXPECT_TRUE(driver.loop.Running()) << where;
        // Where the ticks and the clicks leave time to keep up, the count is
        // the schedule's: one click per pace, give or take one burst.
        const bool keepsUp = cost <= pace / 4 && lateness.modest;
        if (keepsUp) {
          const double elapsed = driver.env.now - driver.RunStart();
          const double burst = std::max(1.0, std::floor(ClickSchedule::kMaxBurstMs / pace));
          const auto clicks = static_cast<double>(driver.RunClicks());
          EXPECT_LE(clicks, std::floor(elapsed / pace) + 1) << where;
          EXPECT_GE(clicks, elapsed / pace - burst - 1) << where;
        }
        driver.Stop();
        EXPECT_EQ(driver.Violation(), "") << where;
        EXPECT_FALSE(driver.loop.Running()) << where;
      }
    }
  }
}

TEST(ClickLoopOnABusyMachine, AClickThatEndsPastTheNextDueTimeGetsTheShortestPeriod) {
  // Pace 10 ms with a 2 ms click and a tick 9 ms late: when the click ends the
  // next one is already overdue.
  testing::LoopDriver driver;
  driver.env.clickCostMs = 2;
  driver.Start({ClickMode::LeftSingle, "10", TargetMode::AnyPosition});
  ASSERT_TRUE(driver.Tick(9));
  EXPECT_EQ(driver.Violation(), "");
  EXPECT_EQ(driver.env.period, ClickSchedule::kFineTickMs);
  EXPECT_TRUE(driver.loop.Running());
}

TEST(ClickSchedule, TimerPeriodStaysWithinWhatATimerTakesForAnyClock) {
  ClickSchedule s(16, 0);
  s.TakeDue(0);
  for (const double now : {-1e300, -5.0, 15.0, 16.0, 40.0, 1e6, 1e300, std::nan("")}) {
    const unsigned period = s.TimerPeriod(now);
    EXPECT_GE(period, ClickSchedule::kFineTickMs) << now;
    EXPECT_LE(period, ClickSchedule::kLongestTickMs) << now;
  }
  // A schedule started at a clock reading far in the past has at most one
  // burst due, and asks for the shortest period afterwards.
  ClickSchedule old(1, -1e300);
  EXPECT_EQ(old.TakeDue(0), 100);
  EXPECT_EQ(old.TimerPeriod(0), ClickSchedule::kFineTickMs);
}

}  // namespace
}  // namespace lanzhi

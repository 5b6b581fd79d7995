// ClickLoop on a simulated busy machine: a clock that moves while a click is
// issued, and a pacing timer whose ticks come as late as the driver says.
// After every step the driver checks what the loop promises the user:
//   - while it runs, its pacing timer is armed with a period a timer takes;
//   - no click comes before its time on the schedule of its run;
//   - a tick that comes one pace or more after the last click issues a click.
// Shared by the native tests and the fuzz target.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "clicker/click_loop.h"
#include "config/text_number.h"

namespace lanzhi::testing {

class BusyMachine : public ClickEnvironment {
 public:
  double now = 0;
  double clickCostMs = 0;  // clock time one click takes
  ScreenPoint cursor{10, 20};
  PositionTexts positions;
  std::string status;
  std::vector<std::string> notices;
  std::vector<double> clickTimes;  // when each click began
  unsigned period = 0;             // the pacing timer's period; 0: stopped
  double nextExpiry = 0;           // when the pacing timer next falls due

  double Now() override { return now; }
  ScreenPoint Cursor() override { return cursor; }
  void Click(ScreenPoint, ClickMode) override {
    clickTimes.push_back(now);
    now += clickCostMs;
  }
  PositionTexts ReadPositions() override { return positions; }
  void SetStatus(std::string_view text) override { status = text; }
  // The timer write rule: the period it already has changes nothing, so the
  // timer keeps its phase; a new period restarts it from now.
  void SetTimerPeriod(unsigned p) override {
    if (p == period) return;
    period = p;
    nextExpiry = now + p;
  }
  void ShowNotice(std::string_view text, NoticeKind) override { notices.emplace_back(text); }
};

class LoopDriver {
 public:
  BusyMachine env;
  ClickLoop loop{env};

  void Start(const LoopSettings& settings) {
    runStart_ = env.now;
    runPace_ = TextToNumber(settings.paceText);
    runFirstClick_ = env.clickTimes.size();
    loop.Start(settings);
    Check("start");
  }
  void Stop() {
    loop.Stop();
    Check("stop");
  }
  void Halt() {
    loop.Halt();
    Check("halt");
  }
  // Time passes with no tick (the machine is busy elsewhere).
  void Stall(double ms) { env.now += ms; }

  // Delivers the pacing timer's next tick `lateMs` after it falls due (a
  // periodic timer fires at once when its time is already past). False when
  // the timer is stopped.
  bool Tick(double lateMs) {
    if (env.period == 0) return false;
    const double due = env.nextExpiry;
    env.now = (due > env.now ? due : env.now) + lateMs;
    const std::size_t before = env.clickTimes.size();
    const bool paceElapsed =
        loop.Running() && before > runFirstClick_ &&
        env.now >= env.clickTimes.back() + runPace_ + 1e-6 * (1.0 + runPace_ + env.now);
    const unsigned periodBefore = env.period;
    const double expiryBefore = env.nextExpiry;
    loop.Tick();
    // Not rewritten during the tick: the periodic timer goes on from its due time.
    if (env.period == periodBefore && env.nextExpiry == expiryBefore) env.nextExpiry = due + env.period;
    if (paceElapsed && env.clickTimes.size() == before) {
      Fail("a tick one pace after the last click issued no click");
    }
    Check("tick");
    return true;
  }

  // Clicks of the current run.
  std::size_t RunClicks() const { return env.clickTimes.size() - runFirstClick_; }
  double RunStart() const { return runStart_; }
  // Empty while every promise held; else what broke first.
  const std::string& Violation() const { return violation_; }

 private:
  void Fail(const std::string& what) {
    if (!violation_.empty()) return;
    char at[96];
    std::snprintf(at, sizeof at, " (at %.3f ms, pace %.3f ms, period %u)", env.now, runPace_, env.period);
    violation_ = what + at;
  }

  void Check(const char* step) {
    if (loop.Running() && (env.period < ClickSchedule::kFineTickMs || env.period > ClickSchedule::kLongestTickMs)) {
      Fail(std::string("running with the pacing timer not armed after ") + step);
    }
    if (!loop.Running() && env.period != 0) Fail(std::string("stopped with the timer armed after ") + step);
    for (std::size_t i = checkedUpTo_ > runFirstClick_ ? checkedUpTo_ : runFirstClick_;
         i < env.clickTimes.size(); ++i) {
      const double due = runStart_ + static_cast<double>(i - runFirstClick_) * runPace_;
      if (env.clickTimes[i] < due - 1e-9 * (1.0 + due)) Fail("a click came before its time");
    }
    checkedUpTo_ = env.clickTimes.size();
  }

  double runStart_ = 0;
  double runPace_ = 0;
  std::size_t runFirstClick_ = 0;
  std::size_t checkedUpTo_ = 0;
  std::string violation_;
};

}  // namespace lanzhi::testing

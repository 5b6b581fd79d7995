#include "clicker/click_loop.h"

#include <algorithm>
#include <cmath>

#include "config/messages.h"
#include "config/text_number.h"

namespace lanzhi {

long long ClickSchedule::MaxBurst() const {
  return std::max(1LL, SaturatingCast<long long>(std::floor(kMaxBurstMs / pace_)));
}

long long ClickSchedule::TakeDue(double now) {
  if (now < start_) return 0;
  // Whole paces since the start: clicks 0..elapsed are due.
  const auto elapsed = SaturatingCast<long long>(std::floor((now - start_) / pace_));
  if (elapsed < issued_) return 0;
  const long long burst = MaxBurst();
  if (elapsed - issued_ < burst) {
    const long long due = elapsed - issued_ + 1;
    issued_ += due;
    return due;
  }
  // Too far behind: issue one burst and continue as if the last of it had been
  // due now, instead of catching up all at once.
  start_ = now - static_cast<double>(burst - 1) * pace_;
  issued_ = burst;
  return burst;
}

unsigned ClickSchedule::TimerPeriod(double now) const {
  // Paces below the timer's resolution: tick finely and issue what is due.
  if (pace_ < kFineTickMs) return kFineTickMs;
  // The clicks of a tick take time, so the next one may already be overdue
  // here: `remaining` can be negative, and the period is worked out in a
  // signed type before it is clamped.
  const double remaining = NextDue() - now;
  long long period = 0;
  if (remaining <= 2.0 * kFineTickMs) {
    // Close to the next click: aim just past it. A tick that came early would
    // wait a whole extra period, as no period shorter than kFineTickMs exists.
    period = SaturatingCast<long long>(std::ceil(remaining)) + 1;
  } else {
    // Further away: wake a little before it, then aim, so that an early tick
    // never costs a whole pace.
    period = SaturatingCast<long long>(std::floor(remaining)) - kFineTickMs;
  }
  return static_cast<unsigned>(std::clamp<long long>(period, kFineTickMs, kLongestTickMs));
}

void ClickLoop::Notice(std::string_view text, ClickEnvironment::NoticeKind kind) {
  noticeOpen_ = true;
  env_.ShowNotice(text, kind);
  noticeOpen_ = false;
}

void ClickLoop::EndClicking() {
  if (!running_) return;
  running_ = false;
  env_.SetTimerPeriod(0);
  env_.SetStatus(kGreeting);
}

void ClickLoop::Start(const LoopSettings& settings) {
  if (noticeOpen_) return;
  const bool wasRunning = running_;
  const double since = clickingSince_;
  EndClicking();

  const double pace = TextToNumber(settings.paceText);
  if (!std::isfinite(pace) || pace < kMinimumPaceMs) {
    Notice(kAskSpeedMessage, ClickEnvironment::NoticeKind::Warning);
    return;
  }
  int positions = 0;
  if (settings.target == TargetMode::MultiPosition) {
    TourPlan plan = PlanTour(env_.ReadPositions());
    if (plan.refusal != TourRefusal::None) {
      Notice(RefusalMessage(plan.refusal), ClickEnvironment::NoticeKind::Warning);
      return;
    }
    positions = static_cast<int>(plan.points.size());
    tour_ = Tour(std::move(plan.points));
  } else if (settings.target == TargetMode::FixedPosition) {
    fixedPoint_ = env_.Cursor();
  }

  mode_ = NormalClickMode(settings.mode);
  target_ = settings.target;
  const double now = env_.Now();
  schedule_ = ClickSchedule(pace, now);
  clickingSince_ = wasRunning ? since : now;
  running_ = true;
  env_.SetStatus(RunningStatus(target_, mode_, pace, positions));
  IssueDue(now);
}

void ClickLoop::Stop() {
  if (!running_) return;
  const bool longRun = env_.Now() - clickingSince_ >= kRestReminderAfterMs;
  EndClicking();
  if (longRun) Notice(kRestReminderMessage, ClickEnvironment::NoticeKind::Information);
}

void ClickLoop::Halt() { EndClicking(); }

void ClickLoop::Tick() {
  if (!running_) return;
  IssueDue(env_.Now());
}

ScreenPoint ClickLoop::NextTarget() {
  switch (target_) {
    case TargetMode::FixedPosition: return fixedPoint_;
    case TargetMode::MultiPosition: return tour_.Next();
    case TargetMode::AnyPosition: break;
  }
  return env_.Cursor();
}

void ClickLoop::IssueDue(double now) {
  for (long long n = schedule_.TakeDue(now); n > 0 && running_; --n) {
    env_.Click(NextTarget(), mode_);
  }
  if (running_) env_.SetTimerPeriod(schedule_.TimerPeriod(env_.Now()));
}

namespace {

constexpr std::string_view kOnce[] = {"秒1次的速度左键单击", "秒1次的速度左键双击",
                                      "秒1次的速度右键单击", "秒1次的速度右键双击"};
constexpr std::string_view kPlaces[] = {"处的速度左键单击", "处的速度左键双击",
                                        "处的速度右键单击", "处的速度右键双击"};

}  // namespace

std::string RunningStatus(TargetMode target, ClickMode mode, double paceMs, int positions) {
  const auto index = static_cast<std::size_t>(NormalClickMode(mode));
  std::string text = "正在以";
  if (target == TargetMode::MultiPosition) {
    text += NumberToText(paceMs * positions / 1000.0);
    text += "秒";
    text += NumberToText(static_cast<std::int64_t>(positions));
    text += kPlaces[index];
  } else {
    text += NumberToText(paceMs / 1000.0);
    text += kOnce[index];
  }
  return text;
}

std::string CursorReadout(long x, long y) {
  std::string text = "X轴：";
  text += NumberToText(static_cast<std::int64_t>(x));
  text += " Y轴：";
  text += NumberToText(static_cast<std::int64_t>(y));
  return text;
}

}  // namespace lanzhi

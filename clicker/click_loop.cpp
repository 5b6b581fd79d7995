#include "clicker/click_loop.h"

#include <algorithm>
#include <cmath>

#include "config/text_number.h"

namespace lanzhi {

long long ClickSchedule::MaxBurst() const {
  return std::max(1LL, static_cast<long long>(std::floor(kMaxBurstMs / pace_)));
}

long long ClickSchedule::TakeDue(double now) {
  if (now < start_) return 0;
  const auto dueTotal = static_cast<long long>(std::floor((now - start_) / pace_)) + 1;
  const long long due = dueTotal - issued_;
  if (due <= 0) return 0;
  const long long burst = MaxBurst();
  if (due <= burst) {
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
  // Paces near the timer's resolution: tick finely and issue what is due.
  if (pace_ < 2.0 * kFineTickMs) return kFineTickMs;
  const double remaining = NextDue() - now;
  if (remaining <= 2.0 * kFineTickMs) return kFineTickMs;
  return static_cast<unsigned>(std::floor(remaining)) - kFineTickMs;
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

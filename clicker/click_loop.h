// The click loop: the clock-driven schedule, the state machine that starts,
// paces and stops clicking over a system interface, and the status sentences.
// MainWindow binds the interface to the real timer, cursor and clicks.
#pragma once

#include <string>
#include <string_view>

#include "clicker/mouse.h"
#include "clicker/targets.h"

namespace lanzhi {

inline constexpr std::string_view kGreeting = "欢迎使用，岚指智能鼠标点击器";
// Continuous clicking of at least this long earns the rest reminder at its stop.
inline constexpr double kRestReminderAfterMs = 30.0 * 60.0 * 1000.0;
// The pace is read from the speed field; less than this refuses the start.
inline constexpr double kMinimumPaceMs = 1.0;

// Click k (from 0) is due at start + k * pace, so lateness never accumulates.
// Times are milliseconds on a monotonic clock.
class ClickSchedule {
 public:
  // Most clicks one tick may issue: 100 ms of pace, at least one.
  static constexpr double kMaxBurstMs = 100.0;
  // Shortest timer period the loop asks for (the system's minimum); long
  // waits end this far ahead of a due click and then aim at it.
  static constexpr unsigned kFineTickMs = 10;
  // Longest period a timer takes (USER_TIMER_MAXIMUM).
  static constexpr unsigned kLongestTickMs = 0x7FFFFFFF;

  ClickSchedule() = default;
  // The first click is due at `now`.
  ClickSchedule(double paceMs, double now) : pace_(paceMs), start_(now) {}

  double Pace() const { return pace_; }
  long long Issued() const { return issued_; }

  // How many clicks to issue at `now` (those due, at most the burst limit).
  // After a stall longer than the burst limit the schedule restarts from now.
  long long TakeDue(double now);

  // Period for the pacing timer after a tick at `now`: always within
  // kFineTickMs..kLongestTickMs, so a running loop's timer is never stopped by
  // it. A click that is due or overdue gets the shortest period.
  unsigned TimerPeriod(double now) const;

  double NextDue() const { return start_ + static_cast<double>(issued_) * pace_; }

 private:
  long long MaxBurst() const;

  double pace_ = 1000.0;
  double start_ = 0.0;
  long long issued_ = 0;
};

// What the loop needs from the system and the window. The Win32 side binds it
// to the real cursor, clicks, status line, timer and configuration file.
class ClickEnvironment {
 public:
  enum class NoticeKind { Warning, Information };
  virtual ~ClickEnvironment() = default;
  virtual double Now() = 0;  // monotonic milliseconds
  virtual ScreenPoint Cursor() = 0;
  virtual void Click(ScreenPoint at, ClickMode mode) = 0;
  virtual PositionTexts ReadPositions() = 0;
  virtual void SetStatus(std::string_view text) = 0;
  // Period of the pacing timer; 0 stops it.
  virtual void SetTimerPeriod(unsigned periodMs) = 0;
  // A modal box; ticks and keys may re-enter the loop while it is open.
  virtual void ShowNotice(std::string_view text, NoticeKind kind) = 0;
};

// The settings a start takes from the window at that moment.
struct LoopSettings {
  ClickMode mode = ClickMode::LeftSingle;
  std::string paceText;
  TargetMode target = TargetMode::AnyPosition;
};

class ClickLoop {
 public:
  explicit ClickLoop(ClickEnvironment& env) : env_(env) {}

  // A start key: stops a running loop, then starts with `settings` unless a
  // rule refuses them (its notice is shown and nothing clicks). Ignored while
  // one of the loop's notices is open.
  void Start(const LoopSettings& settings);
  // A stop key: stops clicking; after long continuous clicking, reminds the
  // user to rest.
  void Stop();
  // Stops without any notice (the window is closing).
  void Halt();
  // The pacing timer's tick: issues the clicks that are due.
  void Tick();

  bool Running() const { return running_; }
  bool NoticeOpen() const { return noticeOpen_; }

 private:
  void EndClicking();
  void Notice(std::string_view text, ClickEnvironment::NoticeKind kind);
  void IssueDue(double now);
  ScreenPoint NextTarget();

  ClickEnvironment& env_;
  bool running_ = false;
  bool noticeOpen_ = false;
  ClickMode mode_ = ClickMode::LeftSingle;
  TargetMode target_ = TargetMode::AnyPosition;
  ScreenPoint fixedPoint_;
  Tour tour_;
  ClickSchedule schedule_;
  double clickingSince_ = 0.0;
};

// "正在以1秒1次的速度左键单击" for one point; for a tour of n positions
// "正在以" + seconds of one whole tour + "秒" + n + "处的速度…".
std::string RunningStatus(TargetMode target, ClickMode mode, double paceMs, int positions);

// The title shown while the cursor is outside the window: "X轴：640 Y轴：360".
std::string CursorReadout(long x, long y);

}  // namespace lanzhi

// Where the clicks go: the target modes and the stored positions with the
// rules a tour must meet before multi-position clicking begins.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lanzhi {

enum class TargetMode { FixedPosition, AnyPosition, MultiPosition };

inline constexpr int kPositionCount = 10;

struct ScreenPoint {
  std::int32_t x = 0;
  std::int32_t y = 0;
  friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

// The configuration keys of position `number` (1..10), e.g. "第一处X轴所在位置".
std::string PositionKey(int number, char axis);

// The X and Y texts of positions 1..10 as read from the configuration file.
struct PositionTexts {
  std::array<std::string, kPositionCount> x;
  std::array<std::string, kPositionCount> y;
};

enum class TourRefusal { None, NotConfigured, Incomplete, Invalid, TooFew };

struct TourPlan {
  TourRefusal refusal = TourRefusal::None;
  std::vector<ScreenPoint> points;  // the complete positions in number order
};

// Checks the rules in this order: no position set at all; a position with only
// one coordinate; a coordinate without a number at its start; fewer than two
// complete positions. Coordinates saturate to the 32-bit range.
TourPlan PlanTour(const PositionTexts& texts);

// The message of a refusal (empty for None).
std::string_view RefusalMessage(TourRefusal refusal);

// Steps through the tour's points, starting again after the last.
class Tour {
 public:
  Tour() = default;
  explicit Tour(std::vector<ScreenPoint> points) : points_(std::move(points)) {}
  std::size_t Size() const { return points_.size(); }
  ScreenPoint Next() {
    const ScreenPoint p = points_[next_];
    next_ = (next_ + 1) % points_.size();
    return p;
  }

 private:
  std::vector<ScreenPoint> points_;
  std::size_t next_ = 0;
};

}  // namespace lanzhi

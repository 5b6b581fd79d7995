#include "clicker/targets.h"

#include "config/messages.h"
#include "config/text_number.h"

namespace lanzhi {

std::string PositionKey(int number, char axis) {
  static constexpr std::string_view kNumerals[kPositionCount] = {
      "一", "二", "三", "四", "五", "六", "七", "八", "九", "十"};
  std::string key = "第";
  key += kNumerals[number - 1];
  key += "处";
  key += axis;
  key += "轴所在位置";
  return key;
}

TourPlan PlanTour(const PositionTexts& texts) {
  bool anySet = false;
  bool anyIncomplete = false;
  bool anyInvalid = false;
  std::vector<ScreenPoint> points;
  for (int i = 0; i < kPositionCount; ++i) {
    const std::string& x = texts.x[i];
    const std::string& y = texts.y[i];
    if (x.empty() && y.empty()) continue;
    anySet = true;
    if (x.empty() || y.empty()) {
      anyIncomplete = true;
      continue;
    }
    const ParsedNumber px = ParseNumber(x);
    const ParsedNumber py = ParseNumber(y);
    if (!px.found || !py.found) {
      anyInvalid = true;
      continue;
    }
    points.push_back({SaturateToInt32(px.value), SaturateToInt32(py.value)});
  }

  TourPlan plan;
  if (!anySet) {
    plan.refusal = TourRefusal::NotConfigured;
  } else if (anyIncomplete) {
    plan.refusal = TourRefusal::Incomplete;
  } else if (anyInvalid) {
    plan.refusal = TourRefusal::Invalid;
  } else if (points.size() < 2) {
    plan.refusal = TourRefusal::TooFew;
  } else {
    plan.points = std::move(points);
  }
  return plan;
}

std::string_view RefusalMessage(TourRefusal refusal) {
  switch (refusal) {
    case TourRefusal::NotConfigured: return kMultiNotConfiguredMessage;
    case TourRefusal::Incomplete: return kPositionIncompleteMessage;
    case TourRefusal::Invalid: return kConfigInvalidMessage;
    case TourRefusal::TooFew: return kTooFewPositionsMessage;
    case TourRefusal::None: break;
  }
  return {};
}

}  // namespace lanzhi

// The position rules and the tour on arbitrary key texts: every refusal is
// one of the rule messages, every accepted tour has two to ten points that
// come from the texts, and the tour cycles through them.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "clicker/targets.h"
#include "config/messages.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Twenty texts separated by 0xFF bytes, in key order X1 Y1 X2 Y2 ...
  lanzhi::PositionTexts texts;
  std::size_t field = 0;
  std::string current;
  for (std::size_t i = 0; i <= size && field < 20; ++i) {
    if (i == size || data[i] == 0xFF) {
      (field % 2 == 0 ? texts.x : texts.y)[field / 2] = current;
      current.clear();
      ++field;
    } else {
      current.push_back(static_cast<char>(data[i]));
    }
  }
  const lanzhi::TourPlan plan = lanzhi::PlanTour(texts);
  const std::string_view message = lanzhi::RefusalMessage(plan.refusal);
  if (plan.refusal == lanzhi::TourRefusal::None) {
    if (plan.points.size() < 2 || plan.points.size() > 10) std::abort();
    if (!message.empty()) std::abort();
    lanzhi::Tour tour(plan.points);
    for (std::size_t round = 0; round < 2; ++round) {
      for (const lanzhi::ScreenPoint& expected : plan.points) {
        if (!(tour.Next() == expected)) std::abort();
      }
    }
  } else {
    if (!plan.points.empty()) std::abort();
    if (message != lanzhi::kMultiNotConfiguredMessage && message != lanzhi::kPositionIncompleteMessage &&
        message != lanzhi::kConfigInvalidMessage && message != lanzhi::kTooFewPositionsMessage) {
      std::abort();
    }
  }
  return 0;
}

#include "clicker/targets.h"

#include <gtest/gtest.h>

#include <limits>

#include "config/messages.h"

namespace lanzhi {
namespace {

TEST(PositionKey, SpellsTheKeysOfPositionsOneToTen) {
  EXPECT_EQ(PositionKey(1, 'X'), "第一处X轴所在位置");
  EXPECT_EQ(PositionKey(1, 'Y'), "第一处Y轴所在位置");
  EXPECT_EQ(PositionKey(4, 'X'), "第四处X轴所在位置");
  EXPECT_EQ(PositionKey(10, 'Y'), "第十处Y轴所在位置");
}

// Positions given as {x, y} texts for numbers 1.., the rest not set.
PositionTexts Texts(std::initializer_list<std::pair<const char*, const char*>> rows) {
  PositionTexts t;
  std::size_t i = 0;
  for (const auto& [x, y] : rows) {
    t.x[i] = x;
    t.y[i] = y;
    ++i;
  }
  return t;
}

struct RuleCase {
  const char* what;
  PositionTexts texts;
  TourRefusal refusal;
};

TEST(PlanTour, RefusesByTheRulesInOrder) {
  const RuleCase cases[] = {
      {"nothing set", Texts({}), TourRefusal::NotConfigured},
      {"one complete", Texts({{"10", "20"}}), TourRefusal::TooFew},
      {"two complete, third X only", Texts({{"1", "2"}, {"3", "4"}, {"5", ""}}),
       TourRefusal::Incomplete},
      {"Y only", Texts({{"1", "2"}, {"", "4"}, {"5", "6"}}), TourRefusal::Incomplete},
      {"incomplete beats invalid", Texts({{"abc", "2"}, {"3", ""}}), TourRefusal::Incomplete},
      {"no number", Texts({{"abc", "2"}, {"3", "4"}}), TourRefusal::Invalid},
      {"invalid beats too few", Texts({{"1", "x"}}), TourRefusal::Invalid},
      {"only one incomplete", Texts({{"1", ""}}), TourRefusal::Incomplete},
  };
  for (const auto& c : cases) {
    const TourPlan plan = PlanTour(c.texts);
    EXPECT_EQ(plan.refusal, c.refusal) << c.what;
    EXPECT_TRUE(plan.points.empty()) << c.what;
  }
}

TEST(PlanTour, VisitsCompletePositionsInNumberOrderWithGaps) {
  PositionTexts t;
  t.x[1] = "100", t.y[1] = "200";   // position 2
  t.x[4] = "0", t.y[4] = "0";       // position 5: zero counts as set
  t.x[9] = "-30", t.y[9] = "7";     // position 10
  const TourPlan plan = PlanTour(t);
  ASSERT_EQ(plan.refusal, TourRefusal::None);
  EXPECT_EQ(plan.points, (std::vector<ScreenPoint>{{100, 200}, {0, 0}, {-30, 7}}));
}

TEST(PlanTour, ReadsCoordinatesByTheTextRuleAndSaturates) {
  const TourPlan plan = PlanTour(Texts({{"1e999", "-99999999999"},
                                        {"  12", "12abc"},
                                        {"\xA3\xB3\xA3\xB4", "7.9"},   // full-width 34
                                        {"-7.9", "2d2"}}));
  ASSERT_EQ(plan.refusal, TourRefusal::None);
  constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
  constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
  EXPECT_EQ(plan.points,
            (std::vector<ScreenPoint>{{kMax, kMin}, {12, 12}, {34, 7}, {-7, 200}}));
}

TEST(RefusalMessage, NamesTheRulesMessage) {
  EXPECT_EQ(RefusalMessage(TourRefusal::NotConfigured), kMultiNotConfiguredMessage);
  EXPECT_EQ(RefusalMessage(TourRefusal::Incomplete), kPositionIncompleteMessage);
  EXPECT_EQ(RefusalMessage(TourRefusal::Invalid), kConfigInvalidMessage);
  EXPECT_EQ(RefusalMessage(TourRefusal::TooFew), kTooFewPositionsMessage);
  EXPECT_TRUE(RefusalMessage(TourRefusal::None).empty());
}

TEST(Tour, VisitsInTurnAndStartsAgainAfterTheLast) {
  Tour tour({{1, 1}, {2, 2}, {3, 3}});
  std::vector<ScreenPoint> seen;
  for (int i = 0; i < 7; ++i) seen.push_back(tour.Next());
  EXPECT_EQ(seen, (std::vector<ScreenPoint>{{1, 1}, {2, 2}, {3, 3}, {1, 1}, {2, 2}, {3, 3}, {1, 1}}));
}

}  // namespace
}  // namespace lanzhi

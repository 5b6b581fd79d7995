// Clicking on a busy machine: while CPU-bound threads keep every core busy,
// the program started with F6 keeps clicking at its pace until F7, as seen
// from a window of the test's own that records every click.
#include <gtest/gtest.h>

#include <algorithm>

#include "harness.h"

namespace {

using harness::App;
using harness::ClickTarget;

constexpr const char* kGreeting = "欢迎使用，岚指智能鼠标点击器";

struct ClickRun {
  double startKeyMs = 0;
  double stopKeyMs = 0;
  std::vector<double> downs;  // times of the clicks received before the stop key
};

// Clicks at `pace` ms for `seconds`, from the start key to the stop key.
ClickRun ClickFor(App& app, ClickTarget& target, const char* pace, double seconds) {
  app.SetText("编辑框3", pace);
  target.Clear();
  SetForegroundWindow(target.Window());
  harness::WaitUntil([&] { return GetForegroundWindow() == target.Window(); });
  ClickRun run;
  run.startKeyMs = harness::NowMs();
  harness::Press(VK_F6);
  harness::ObserveFor(static_cast<DWORD>(seconds * 1000));
  run.stopKeyMs = harness::NowMs();
  harness::Press(VK_F7);
  harness::WaitUntil([&] { return app.Text("编辑框2") == kGreeting; });
  harness::ObserveFor(200);  // clicks already on their way arrive
  for (const auto& down : target.Downs()) {
    if (down.timeMs <= run.stopKeyMs) run.downs.push_back(down.timeMs);
  }
  return run;
}

// The longest stretch without a click, from the start key to the stop key.
double LongestGap(const ClickRun& run) {
  double previous = run.startKeyMs;
  double longest = 0;
  for (double t : run.downs) {
    longest = std::max(longest, t - previous);
    previous = t;
  }
  return std::max(longest, run.stopKeyMs - previous);
}

TEST(PacingUnderLoad, ClicksKeepComingAtThePaceUntilTheStopKey) {
  ClickTarget target;
  App app;
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(harness::MoveCursorTo(100, 100));
  harness::CpuLoad load;
  for (const char* pace : {"10", "16", "50"}) {
    const double paceMs = std::atof(pace);
    const ClickRun run = ClickFor(app, target, pace, 4.0);
    const double asked = (run.stopKeyMs - run.startKeyMs) / paceMs;
    const double gap = LongestGap(run);
    std::printf("pace %s ms under %zu busy threads: %zu clicks of %.0f asked, longest gap %.0f ms\n", pace,
                load.Threads(), run.downs.size(), asked, gap);
    // A few paces, and room for one of Wine's own pauses of up to 100 ms.
    EXPECT_LE(gap, std::max(6 * paceMs, 250.0)) << pace;
    EXPECT_GE(static_cast<double>(run.downs.size()), 0.8 * asked) << pace;
    EXPECT_LE(static_cast<double>(run.downs.size()), asked + 2) << pace;
  }
  EXPECT_EQ(app.Close(), 0u);
}

}  // namespace

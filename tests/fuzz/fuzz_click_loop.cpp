// The click loop's state machine under random starts, ticks, stops, halts,
// clock jumps and click costs: whatever the order, a running loop keeps its
// pacing timer armed, no click comes before its time, and a tick one pace
// after the last click issues a click (the promises checked by LoopDriver).
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/clicker/busy_machine.h"

namespace {

// Paces a user may type, from the shortest to ones no timer can wait for.
const char* const kPaces[] = {"1", "2", "5", "9.5", "10", "10.5", "15", "16", "33", "100", "1000",
                              "60000", "1e12", "", "0", "-5", "0.5", "1e999", "abc"};

lanzhi::LoopSettings RandomSettings(FuzzedDataProvider& input) {
  lanzhi::LoopSettings settings;
  settings.mode = lanzhi::ClickModeFrom(input.ConsumeIntegralInRange<int>(0, 3));
  if (input.ConsumeBool()) {
    settings.paceText = kPaces[input.ConsumeIntegralInRange<std::size_t>(0, std::size(kPaces) - 1)];
  } else {
    settings.paceText = lanzhi::NumberToText(input.ConsumeFloatingPointInRange<double>(0.5, 5000.0));
  }
  settings.target = static_cast<lanzhi::TargetMode>(input.ConsumeIntegralInRange<int>(0, 2));
  return settings;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  lanzhi::testing::LoopDriver driver;
  driver.env.now = input.ConsumeFloatingPointInRange<double>(0.0, 1e12);
  // Three stored positions, so that a multi-position start can run.
  for (int i = 0; i < 3; ++i) {
    driver.env.positions.x[static_cast<std::size_t>(i)] = std::to_string(40 + 100 * i);
    driver.env.positions.y[static_cast<std::size_t>(i)] = "40";
  }
  while (input.remaining_bytes() > 0 && driver.Violation().empty()) {
    switch (input.ConsumeIntegralInRange<int>(0, 9)) {
      case 0: driver.Start(RandomSettings(input)); break;
      case 1: driver.Stop(); break;
      case 2: driver.Halt(); break;
      case 3: driver.Stall(input.ConsumeFloatingPointInRange<double>(0.0, 600000.0)); break;
      case 4: driver.env.clickCostMs = input.ConsumeFloatingPointInRange<double>(0.0, 50.0); break;
      default: driver.Tick(input.ConsumeFloatingPointInRange<double>(0.0, 3000.0)); break;
    }
  }
  if (!driver.Violation().empty()) {
    std::fprintf(stderr, "broken promise: %s\n", driver.Violation().c_str());
    std::abort();
  }
  return 0;
}

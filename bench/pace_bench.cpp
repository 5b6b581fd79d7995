// Pace fidelity and footprint figures, measured under the Wine bench against
// a counting window of this program's own. Prints figures; never fails on them.
//
//   pace_bench.exe pace <program|reference|xdotool> <pace ms> <seconds>
//       one table row: clicks received, achieved rate / asked rate, median
//       and 99th-percentile deviation from the ideal schedule (ms)
//   pace_bench.exe footprint <long-run seconds>
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "../tests/win/harness.h"

namespace {

constexpr RECT kCounterPlace{0, 0, 360, 290};
constexpr POINT kAim{180, 145};

struct Row {
  std::size_t clicks = 0;
  double ratio = 0;
  double medianMs = 0;
  double p99Ms = 0;
};

double Percentile(std::vector<double> values, double q) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const auto index = static_cast<std::size_t>(std::ceil(q * static_cast<double>(values.size()))) - 1;
  return values[std::min(index, values.size() - 1)];
}

// Click k of the run is due at first + k * pace.
Row Measure(const std::vector<double>& times, double pace) {
  Row row;
  row.clicks = times.size();
  if (times.size() < 2) return row;
  row.ratio = static_cast<double>(times.size() - 1) * pace / (times.back() - times.front());
  std::vector<double> deviations;
  for (std::size_t k = 0; k < times.size(); ++k) {
    deviations.push_back(std::fabs(times[k] - (times.front() + static_cast<double>(k) * pace)));
  }
  row.medianMs = Percentile(deviations, 0.5);
  row.p99Ms = Percentile(deviations, 0.99);
  return row;
}

std::vector<double> DownTimes(const harness::ClickTarget& counter) {
  std::vector<double> times;
  for (const auto& e : counter.Downs()) times.push_back(e.timeMs);
  return times;
}

void Print(const char* contender, double pace, const Row& row) {
  std::printf("%-10s %6g %8zu %8.4f %9.2f %9.2f\n", contender, pace, row.clicks, row.ratio, row.medianMs,
              row.p99Ms);
  std::fflush(stdout);
}

int PaceRun(const std::string& contender, double pace, double seconds) {
  harness::ClickTarget counter(kCounterPlace);
  const auto runMs = static_cast<DWORD>(seconds * 1000);
  if (contender == "program") {
    harness::App app;
    if (!app.Start()) return 2;
    app.SetText("编辑框3", std::to_string(static_cast<long>(pace)));
    harness::MoveCursorTo(kAim.x, kAim.y);
    SetForegroundWindow(counter.Window());
    harness::Press(VK_F6);
    harness::ObserveFor(runMs);
    harness::Press(VK_F7);
    harness::ObserveFor(300);
    app.Close();
  } else if (contender == "reference") {
    harness::MoveCursorTo(kAim.x, kAim.y);
    std::wstring commandLine = L"reference_clicker.exe " + std::to_wstring(static_cast<long>(pace));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    const std::wstring exe = harness::OwnDirectory() + L"\\reference_clicker.exe";
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
      return 2;
    }
    harness::ObserveFor(runMs);
    PostThreadMessageW(info.dwThreadId, WM_QUIT, 0, 0);
    WaitForSingleObject(info.hProcess, 5000);
    harness::ObserveFor(300);
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
  } else if (contender == "xdotool") {
    // The clicks come from outside (bench/run.sh starts xdotool on "ready").
    harness::MoveCursorTo(kAim.x, kAim.y);
    std::printf("ready\n");
    std::fflush(stdout);
    const double deadline = harness::NowMs() + seconds * 3000 + 15000;
    harness::WaitUntil([&] {
      const auto downs = counter.Downs();
      return !downs.empty() && harness::NowMs() - downs.back().timeMs > 2000;
    }, static_cast<DWORD>(deadline - harness::NowMs()));
  } else {
    return 2;
  }
  Print(contender.c_str(), pace, Measure(DownTimes(counter), pace));
  return 0;
}

// --- Footprint ----------------------------------------------------------------

double CpuMs(HANDLE process) {
  FILETIME created{}, exited{}, kernel{}, user{};
  if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return std::nan("");
  const auto ms = [](FILETIME t) {
    return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
  };
  return ms(kernel) + ms(user);
}

struct Resources {
  SIZE_T privateBytes = 0;
  DWORD userObjects = 0, gdiObjects = 0, handles = 0;
};

Resources ResourcesOf(HANDLE process) {
  Resources r;
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory)) {
    r.privateBytes = memory.PrivateUsage;
  }
  r.userObjects = GetGuiResources(process, GR_USEROBJECTS);
  r.gdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
  GetProcessHandleCount(process, &r.handles);
  return r;
}

// Lets bench/run.sh read the process's figures from the Linux side at this
// moment (Wine answers the memory, object and handle queries with 0 for
// another process).
void Mark(const char* label) {
  std::printf("MARK %s\n", label);
  std::fflush(stdout);
  harness::ObserveFor(1500);
}

void PrintResources(const char* when, const Resources& r) {
  std::printf("%-28s private %7.1f KiB, USER objects %lu, GDI objects %lu, handles %lu\n", when,
              static_cast<double>(r.privateBytes) / 1024.0, r.userObjects, r.gdiObjects, r.handles);
}

int Footprint(double longSeconds) {
  // Start-up: from process creation to the main window on screen, warm prefix.
  std::vector<double> startups;
  for (int i = 0; i < 11; ++i) {
    harness::App app;
    const double begin = harness::NowMs();
    if (!app.Start()) return 2;
    if (i > 0) startups.push_back(harness::NowMs() - begin);  // the first one warms the prefix
    app.Close();
  }
  std::printf("start-up to visible window: median %.0f ms of %zu launches\n", Percentile(startups, 0.5),
              startups.size());

  harness::ClickTarget counter(kCounterPlace);
  harness::App app;
  if (!app.Start()) return 2;
  HANDLE process = app.Process();
  harness::MoveCursorTo(kAim.x, kAim.y);
  harness::ObserveFor(1000);
  PrintResources("at start:", ResourcesOf(process));
  Mark("start");

  double cpu = CpuMs(process);
  double wall = harness::NowMs();
  harness::ObserveFor(60000);
  std::printf("CPU stopped, 60 s (GetProcessTimes): %.3f %%\n", 100.0 * (CpuMs(process) - cpu) / (harness::NowMs() - wall));
  Mark("stopped-60s");

  app.SetText("编辑框3", "1000");
  SetForegroundWindow(counter.Window());
  harness::Press(VK_F6);
  cpu = CpuMs(process);
  wall = harness::NowMs();
  harness::ObserveFor(60000);
  std::printf("CPU clicking at 1000 ms, 60 s (GetProcessTimes): %.3f %%\n",
              100.0 * (CpuMs(process) - cpu) / (harness::NowMs() - wall));
  Mark("clicking-1000ms-60s");
  harness::Press(VK_F7);
  harness::ObserveFor(500);

  app.SetText("编辑框3", "1");
  counter.Clear();
  harness::Press(VK_F6);
  cpu = CpuMs(process);
  wall = harness::NowMs();
  // Drop the recorded clicks as they come: the long run would fill memory.
  const double end = harness::NowMs() + longSeconds * 1000;
  std::size_t clicks = 0;
  while (harness::NowMs() < end) {
    harness::ObserveFor(1000);
    clicks += counter.Downs().size();
    counter.Clear();
  }
  harness::Press(VK_F7);
  harness::ObserveFor(1000);
  std::printf("CPU clicking at 1 ms, %.0f s (GetProcessTimes): %.1f %% (%zu clicks received)\n", longSeconds,
              100.0 * (CpuMs(process) - cpu) / (harness::NowMs() - wall), clicks);
  PrintResources("after the long run:", ResourcesOf(process));
  Mark("after-long-run");
  app.Close();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 5 && std::string(argv[1]) == "pace") {
    return PaceRun(argv[2], std::atof(argv[3]), std::atof(argv[4]));
  }
  if (argc == 3 && std::string(argv[1]) == "footprint") return Footprint(std::atof(argv[2]));
  std::fprintf(stderr, "usage: pace_bench pace <program|reference|xdotool> <ms> <s> | footprint <s>\n");
  return 2;
}

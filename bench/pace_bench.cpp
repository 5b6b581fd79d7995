// Pace fidelity and footprint figures, measured under the Wine bench against
// a counting window of this program's own. Prints figures; never fails on them.
//
//   pace_bench.exe pace <program|reference|xdotool> <pace ms> <seconds> [loaded]
//       one table row: clicks received, achieved rate / asked rate from the
//       first to the last click and over the whole run (start to stop), and
//       the median and 99th-percentile deviation from the ideal schedule (ms);
//       "loaded": beside CPU-bound threads, one per core and one more
//   pace_bench.exe footprint <long-run seconds>
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "../tests/win/harness.h"
#include "config/text_number.h"

namespace {

constexpr RECT kCounterPlace{0, 0, 360, 290};
constexpr POINT kAim{180, 145};

struct Row {
  std::size_t clicks = 0;
  double ratio = 0;       // first to last click
  double wholeRatio = 0;  // start to stop: a run that stalls scores low here
  double medianMs = 0;
  double p99Ms = 0;
};

double Percentile(std::vector<double> values, double q) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const auto index = static_cast<std::size_t>(std::ceil(q * static_cast<double>(values.size()))) - 1;
  return values[std::min(index, values.size() - 1)];
}

// Click k of the run is due at first + k * pace. `runMs`: from the start to
// the stop of the run.
Row Measure(const std::vector<double>& times, double pace, double runMs) {
  Row row;
  row.clicks = times.size();
  if (runMs > 0) row.wholeRatio = static_cast<double>(times.size()) * pace / runMs;
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

// Times of the clicks received up to `untilMs`.
std::vector<double> DownTimes(const harness::ClickTarget& counter, double untilMs) {
  std::vector<double> times;
  for (const auto& e : counter.Downs()) {
    if (e.timeMs <= untilMs) times.push_back(e.timeMs);
  }
  return times;
}

void Print(const std::string& contender, double pace, const Row& row) {
  std::printf("%-17s %6g %8zu %8.4f %8.4f %9.2f %9.2f\n", contender.c_str(), pace, row.clicks, row.ratio,
              row.wholeRatio, row.medianMs, row.p99Ms);
  std::fflush(stdout);
}

int PaceRun(const std::string& contender, double pace, double seconds, bool loaded) {
  harness::ClickTarget counter(kCounterPlace);
  const auto runMs = lanzhi::SaturatingCast<DWORD>(seconds * 1000);
  std::unique_ptr<harness::CpuLoad> load;
  if (loaded) load = std::make_unique<harness::CpuLoad>();
  double startMs = 0;
  double stopMs = 0;
  if (contender == "program") {
    harness::App app;
    if (!app.Start()) return 2;
    app.SetText("编辑框3", std::to_string(lanzhi::SaturatingCast<long>(pace)));
    harness::MoveCursorTo(kAim.x, kAim.y);
    SetForegroundWindow(counter.Window());
    startMs = harness::NowMs();
    harness::Press(VK_F6);
    harness::ObserveFor(runMs);
    stopMs = harness::NowMs();
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
    startMs = harness::NowMs();
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
      return 2;
    }
    harness::ObserveFor(runMs);
    stopMs = harness::NowMs();
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
    startMs = harness::NowMs();
    const double deadline = harness::NowMs() + seconds * 3000 + 15000;
    harness::WaitUntil([&] {
      const auto downs = counter.Downs();
      return !downs.empty() && harness::NowMs() - downs.back().timeMs > 2000;
    }, lanzhi::SaturatingCast<DWORD>(deadline - harness::NowMs()));
    // xdotool runs a count of clicks, not a time: its run ends with its last.
    const auto downs = counter.Downs();
    stopMs = downs.empty() ? startMs : downs.back().timeMs + pace;
  } else {
    return 2;
  }
  load.reset();
  Print(contender + (loaded ? " (loaded)" : ""), pace, Measure(DownTimes(counter, stopMs), pace, stopMs - startMs));
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

// A probe of bench/window_probe_bench.cpp, started and ended by the bench.
class Probe {
 public:
  explicit Probe(const wchar_t* argument) {
    std::wstring commandLine = std::wstring(L"startup_probe.exe ") + argument;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    const std::wstring exe = harness::OwnDirectory() + L"\\startup_probe.exe";
    started_ = CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                              &startup, &info_) != FALSE;
  }
  ~Probe() {
    if (!started_) return;
    for (HWND window : harness::TopLevelWindows(info_.dwProcessId, "LanzhiStartupProbe")) {
      PostMessageW(window, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(info_.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(info_.hProcess, 1);
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
  }
  Probe(const Probe&) = delete;
  Probe& operator=(const Probe&) = delete;
  bool WaitForWindow() const {
    return started_ && harness::WaitUntil([&] {
      for (HWND window : harness::TopLevelWindows(info_.dwProcessId, "LanzhiStartupProbe")) {
        if (IsWindowVisible(window)) return true;
      }
      return false;
    });
  }

 private:
  bool started_ = false;
  PROCESS_INFORMATION info_{};
};

int Footprint(double longSeconds) {
  // Start-up: from process creation to the main window on screen, warm
  // prefix; the program and the 76-control probe in turn, side by side.
  std::vector<double> program, probe;
  for (int i = 0; i < 11; ++i) {
    {
      harness::App app;
      const double begin = harness::NowMs();
      if (!app.Start()) return 2;
      if (i > 0) program.push_back(harness::NowMs() - begin);  // the first launches warm the prefix
      app.Close();
    }
    {
      const double begin = harness::NowMs();
      Probe controls(L"");
      if (!controls.WaitForWindow()) return 2;
      if (i > 0) probe.push_back(harness::NowMs() - begin);
    }
  }
  const double programMedian = Percentile(program, 0.5);
  const double probeMedian = Percentile(probe, 0.5);
  std::printf("start-up to visible window, median of %zu launches: program %.0f ms, 76-control probe %.0f ms, "
              "ratio %.2f\n", program.size(), programMedian, probeMedian, programMedian / probeMedian);

  harness::ClickTarget counter(kCounterPlace);
  harness::App app;
  if (!app.Start()) return 2;
  HANDLE process = app.Process();
  harness::MoveCursorTo(kAim.x, kAim.y);
  harness::ObserveFor(1000);
  PrintResources("at start:", ResourcesOf(process));
  // Stopped, beside a bare window whose 100 ms timer reads the cursor: the
  // floor of the program's own read-out (bench/run.sh reads both from /proc).
  double cpu = 0, wall = 0;
  {
    Probe idle(L"idle");
    if (!idle.WaitForWindow()) return 2;
    harness::ObserveFor(1000);
    Mark("start");
    cpu = CpuMs(process);
    wall = harness::NowMs();
    harness::ObserveFor(60000);
    std::printf("CPU stopped, 60 s (GetProcessTimes): %.3f %%\n", 100.0 * (CpuMs(process) - cpu) / (harness::NowMs() - wall));
    Mark("stopped-60s");
  }

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
  if ((argc == 5 || argc == 6) && std::string(argv[1]) == "pace") {
    return PaceRun(argv[2], std::atof(argv[3]), std::atof(argv[4]), argc == 6 && std::string(argv[5]) == "loaded");
  }
  if (argc == 3 && std::string(argv[1]) == "footprint") return Footprint(std::atof(argv[2]));
  std::fprintf(stderr, "usage: pace_bench pace <program|reference|xdotool> <ms> <s> [loaded] | footprint <s>\n");
  return 2;
}

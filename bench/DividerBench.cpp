// The straightforward and the fast divider engine side by side on the bundled series, as a
// Markdown table: wall time of the first run in a fresh process (cold, the median of three
// processes) and of a repeat (warm, the best of two per process), peak memory, speed-up. A
// straightforward run that would take too long is stopped after a time budget and extrapolated from
// the share it visited. Each measurement runs in a child process of its own, so that its peak
// memory is its own.
//
//   ordavin-bench [--budget SECONDS] [--only CASE] [--cli PATH] [--no-abort]
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <bit>
#include <chrono>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "bench/TargetBenchmark.h"
#include "divider/FastDividerEngine.h"
#include "divider/StraightforwardDividerEngine.h"
#include "search/MemoryBudget.h"
#include "search/ParallelWork.h"
#include "values/ValueSet.h"

namespace {

using namespace ordavin;
using Clock = std::chrono::steady_clock;

struct Case {
  const char* series;
  std::uint32_t count;
  bool upperParallel;
  double goalSeconds;            // for the fast engine, cold; 0: a speed-up of 100 instead
  double goalMemoryGiB;          // 0: none
  bool straightforwardToTheEnd;  // run it whole, and compare the results
};

constexpr Case kCases[] = {
    {"E24", 2, true, 0.0, 0, true},     {"E24", 2, false, 0.0, 0, true},
    {"E24", 3, true, 0.25, 0, false},   {"E24", 3, false, 0.25, 0, false},
    {"E24", 4, true, 5.0, 0, false},    {"E24", 4, false, 5.0, 0, false},
    {"E96", 2, true, 0.1, 0, false},    {"E96", 2, false, 0.1, 0, false},
    {"E96", 3, true, 10.0, 2.0, false}, {"E96", 3, false, 10.0, 2.0, false},
};

std::string CaseName(const Case& c) {
  return std::string(c.series) + " " + std::to_string(c.count) + "+" + std::to_string(c.count) +
         (c.upperParallel ? " par/ser" : " ser/ser");
}

std::string SeriesPath(const char* series) {
  return std::string(ORDAVIN_SERIES_DIR) + "/" + series + ".SER";
}

bool LoadSeries(const char* series, ValueSet& values) {
  if (!values.LoadSeriesFile(SeriesPath(series))) return false;
  values.GenerateValues();
  values.ResetWorkingSet();
  return true;
}

// The benchmark's search: factor 1.25/3.3, 1 %, series window 1000..100000, parallel window
// off, 10 results, lower network in series.
DividerParameters Parameters(const Case& c) {
  DividerParameters p;
  p.targetFactor = 1.25 / 3.3;
  p.tolerance = 0.01;
  p.seriesMin = 1000;
  p.seriesMax = 100000;
  p.maxResults = 10;
  p.upperCount = c.count;
  p.lowerCount = c.count;
  p.upperMode = c.upperParallel ? NetworkMode::Parallel : NetworkMode::Series;
  p.lowerMode = NetworkMode::Series;
  return p;
}

double Seconds(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double>(to - from).count();
}

// A digest of a run's outcome: counts and every kept row, figures by their bits.
std::uint64_t Digest(const DividerEngine& engine) {
  std::uint64_t h = 1469598103934665603ull;
  const auto mix = [&h](std::uint64_t v) {
    for (int i = 0; i < 8; ++i) {
      h ^= (v >> (8 * i)) & 0xFF;
      h *= 1099511628211ull;
    }
  };
  mix(engine.VisitedCount());
  mix(engine.MatchingCount());
  for (const DividerMatch& m : engine.KeptMatches()) {
    for (const std::int32_t d : m.indices) mix(static_cast<std::uint32_t>(d));
    for (const double v :
         {m.ruTotal, m.rlTotal, m.divisionFactor, m.rserTotal, m.rparTotal, m.error}) {
      mix(std::bit_cast<std::uint64_t>(v));
    }
  }
  return h;
}

// Runs the engine, setting the abort flag after `budget` seconds (none: no budget).
double TimedRun(DividerEngine& engine, std::optional<double> budget, bool* aborted = nullptr) {
  std::atomic<bool> abort{false};
  std::atomic<bool> done{false};
  std::thread watchdog;
  if (budget) {
    watchdog = std::thread([&] {
      const auto until = Clock::now() + std::chrono::duration<double>(*budget);
      while (!done.load() && Clock::now() < until) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
      }
      if (!done.load()) abort = true;
    });
  }
  const auto start = Clock::now();
  engine.Optimize(abort);
  const auto end = Clock::now();
  done = true;
  if (watchdog.joinable()) watchdog.join();
  if (aborted != nullptr) *aborted = abort.load();
  return Seconds(start, end);
}

// What a child process reports back, as one line of text.
struct Report {
  double seconds = 0;  // straightforward: measured or extrapolated; fast: cold
  double warm = 0;     // fast only
  double share = 1;    // straightforward: the share of the combinations it visited
  std::uint64_t total = 0;
  std::uint64_t digest = 0;
  long maxRssKiB = 0;
  bool ok = false;
};

// Runs `body` in a child process; it writes its report line to the pipe.
Report InChild(const std::function<std::string()>& body) {
  int fds[2];
  Report report;
  if (pipe(fds) != 0) return report;
  std::fflush(stdout);
  const pid_t pid = fork();
  if (pid == 0) {
    close(fds[0]);
    const std::string line = body();
    const ssize_t written = write(fds[1], line.data(), line.size());
    _exit(written == static_cast<ssize_t>(line.size()) ? 0 : 1);
  }
  close(fds[1]);
  std::string text;
  char buffer[512];
  ssize_t got = 0;
  while ((got = read(fds[0], buffer, sizeof buffer)) > 0) {
    text.append(buffer, static_cast<std::size_t>(got));
  }
  close(fds[0]);
  int status = 0;
  struct rusage usage {};
  if (pid < 0 || wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) ||
      WEXITSTATUS(status) != 0) {
    return report;
  }
  report.ok = std::sscanf(text.c_str(), "%lf %lf %lf %" SCNu64 " %" SCNu64, &report.seconds,
                          &report.warm, &report.share, &report.total, &report.digest) == 5;
  report.maxRssKiB = usage.ru_maxrss;
  return report;
}

std::string Line(double seconds, double warm, double share, std::uint64_t total,
                 std::uint64_t digest) {
  char line[256];
  std::snprintf(line, sizeof line, "%.9g %.9g %.9g %" PRIu64 " %" PRIu64 "\n", seconds, warm, share,
                total, digest);
  return line;
}

// Three fresh processes: the median of their first runs is the cold time, the best of their
// repeats the warm one; the peak memory is the largest.
Report MeasureFast(const Case& c) {
  std::vector<Report> runs;
  for (int process = 0; process < 3; ++process) {
    runs.push_back(InChild([&c] {
      ValueSet values;
      if (!LoadSeries(c.series, values)) std::exit(2);
      FastDividerEngine engine(values);
      engine.SetParameters(Parameters(c));
      const double cold = TimedRun(engine, std::nullopt);
      double warm = TimedRun(engine, std::nullopt);
      warm = std::min(warm, TimedRun(engine, std::nullopt));
      return Line(cold, warm, 1, engine.VisitedCount(), Digest(engine));
    }));
    if (!runs.back().ok) return runs.back();
  }
  std::sort(runs.begin(), runs.end(),
            [](const Report& a, const Report& b) { return a.seconds < b.seconds; });
  Report result = runs[1];
  for (const Report& r : runs) {
    result.warm = std::min(result.warm, r.warm);
    result.maxRssKiB = std::max(result.maxRssKiB, r.maxRssKiB);
    if (r.digest != result.digest) result.digest = 0;  // the runs disagree
  }
  return result;
}

Report MeasureStraightforward(const Case& c, std::optional<double> budget) {
  return InChild([&c, budget] {
    ValueSet values;
    if (!LoadSeries(c.series, values)) std::exit(2);
    StraightforwardDividerEngine engine(values);
    const DividerParameters p = Parameters(c);
    engine.SetParameters(p);
    bool aborted = false;
    const double seconds = TimedRun(engine, budget, &aborted);
    const std::uint64_t n = values.WorkingCount();
    // C(n + k - 1, k) for each side.
    std::uint64_t side = 1;
    for (std::uint64_t i = 1; i <= c.count; ++i) side = side * (n + i - 1) / i;
    const std::uint64_t total = side * side;
    const double share =
        aborted ? static_cast<double>(engine.VisitedCount()) / static_cast<double>(total) : 1.0;
    return Line(seconds / share, 0, share, total, aborted ? 0 : Digest(engine));
  });
}

// How long the fast engine takes to return once the abort flag is set, at a few points of
// a long run.
double WorstAbortLatency(const Case& c, double runSeconds) {
  double worst = 0;
  for (const double fraction : {0.05, 0.3, 0.6, 0.9}) {
    const Report r = InChild([&c, fraction, runSeconds] {
      ValueSet values;
      if (!LoadSeries(c.series, values)) std::exit(2);
      FastDividerEngine engine(values);
      engine.SetParameters(Parameters(c));
      std::atomic<bool> abort{false};
      Clock::time_point set;
      std::thread watchdog([&] {
        std::this_thread::sleep_for(std::chrono::duration<double>(fraction * runSeconds));
        set = Clock::now();
        abort = true;
      });
      engine.Optimize(abort);
      const auto end = Clock::now();
      watchdog.join();
      return Line(Seconds(set, end), 0, 1, 0, 0);
    });
    if (r.ok) worst = std::max(worst, r.seconds);
  }
  return worst;
}

// Wall time of whole ordavin-cli processes on the E24 2+2 search.
std::vector<double> CliTimes(const std::string& cli, int runs) {
  std::vector<double> times;
  const std::string series = SeriesPath("E24");
  for (int i = 0; i < runs; ++i) {
    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
      if (std::freopen("/dev/null", "w", stdout) == nullptr ||
          std::freopen("/dev/null", "w", stderr) == nullptr) {
        _exit(126);
      }
      execl(cli.c_str(), cli.c_str(), "divider", "--series", series.c_str(), "--factor", "1.25/3.3",
            "--tolerance", "0.01", "--upper", "2", "--lower", "2", "--upper-mode", "parallel",
            "--lower-mode", "series", static_cast<char*>(nullptr));
      _exit(127);
    }
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
      return {};
    }
    times.push_back(Seconds(start, Clock::now()));
  }
  std::sort(times.begin(), times.end());
  return times;
}

std::string LoadAverage() {
  std::ifstream in("/proc/loadavg");
  std::string a, b, c;
  in >> a >> b >> c;
  return a + " " + b + " " + c;
}

std::string Duration(double seconds) {
  char text[64];
  if (seconds < 1) {
    std::snprintf(text, sizeof text, "%.1f ms", seconds * 1e3);
  } else if (seconds < 120) {
    std::snprintf(text, sizeof text, "%.2f s", seconds);
  } else if (seconds < 7200) {
    std::snprintf(text, sizeof text, "%.0f min", seconds / 60);
  } else if (seconds < 2 * 86400) {
    std::snprintf(text, sizeof text, "%.1f h", seconds / 3600);
  } else {
    std::snprintf(text, sizeof text, "%.0f days", seconds / 86400);
  }
  return text;
}

std::string Memory(long kib) {
  char text[64];
  if (kib < 1024 * 1024) {
    std::snprintf(text, sizeof text, "%.0f MiB", static_cast<double>(kib) / 1024);
  } else {
    std::snprintf(text, sizeof text, "%.2f GiB", static_cast<double>(kib) / (1024 * 1024));
  }
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::string(argv[1]) == "target") return RunTargetBenchmark(argc - 1, argv + 1);
  double budget = 5.0;
  std::string only;
  std::string cli;
  bool measureAbort = true;
#ifdef ORDAVIN_CLI_PATH
  cli = ORDAVIN_CLI_PATH;
#endif
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--budget" && i + 1 < argc) {
      budget = std::atof(argv[++i]);
    } else if (arg == "--only" && i + 1 < argc) {
      only = argv[++i];
    } else if (arg == "--cli" && i + 1 < argc) {
      cli = argv[++i];
    } else if (arg == "--no-abort") {
      measureAbort = false;
    } else {
      std::fprintf(stderr, "usage: %s [--budget SECONDS] [--only CASE] [--cli PATH] [--no-abort]\n",
                   argv[0]);
      return 2;
    }
  }

  std::printf("Machine: %u cores, %.1f GiB; load average at start %s\n", CoreCount(),
              static_cast<double>(PhysicalMemoryBytes()) / (1u << 30), LoadAverage().c_str());
  std::printf(
      "The straightforward engine runs E24 2+2 to the end; elsewhere it is stopped "
      "after %.1f s and extrapolated.\n\n",
      budget);
  std::printf(
      "| case | combinations | straightforward | fast, cold | fast, warm | peak memory "
      "(fast) | speed-up | goal |\n");
  std::printf("|---|---|---|---|---|---|---|---|\n");
  std::fflush(stdout);

  bool allMet = true;
  double longest = 0;
  const Case* longestCase = nullptr;
  for (const Case& c : kCases) {
    const std::string name = CaseName(c);
    if (!only.empty() && name.find(only) == std::string::npos) continue;
    const Report fast = MeasureFast(c);
    const Report straight = MeasureStraightforward(
        c, c.straightforwardToTheEnd ? std::nullopt : std::optional<double>(budget));
    if (!fast.ok || !straight.ok) {
      std::printf("| %s | measurement failed | | | | | | |\n", name.c_str());
      allMet = false;
      continue;
    }
    if (fast.seconds > longest) {
      longest = fast.seconds;
      longestCase = &c;
    }
    std::string straightText = Duration(straight.seconds);
    if (straight.share < 1) {
      char note[64];
      std::snprintf(note, sizeof note, " (est. from %.2g %%)", straight.share * 100);
      straightText += note;
    } else {
      straightText += straight.digest == fast.digest ? " (same result)" : " (RESULTS DIFFER)";
      if (straight.digest != fast.digest) allMet = false;
    }
    const double speedUp = straight.seconds / fast.seconds;
    std::string goal = "-";
    bool met = true;
    if (c.goalSeconds > 0) {
      met = fast.seconds < c.goalSeconds;
      goal = "< " + Duration(c.goalSeconds);
    } else {
      met = speedUp >= 100;
      goal = ">= 100x";
    }
    if (c.goalMemoryGiB > 0) {
      const bool memoryMet = static_cast<double>(fast.maxRssKiB) < c.goalMemoryGiB * 1024 * 1024;
      met = met && memoryMet;
      char text[32];
      std::snprintf(text, sizeof text, ", < %.0f GiB", c.goalMemoryGiB);
      goal += text;
    }
    allMet = allMet && met;
    std::printf("| %s | %.3g | %s | %s | %s | %s | %.0fx | %s %s |\n", name.c_str(),
                static_cast<double>(fast.total), straightText.c_str(),
                Duration(fast.seconds).c_str(), Duration(fast.warm).c_str(),
                Memory(fast.maxRssKiB).c_str(), speedUp, goal.c_str(), met ? "met" : "MISSED");
    std::fflush(stdout);
  }

  if (!cli.empty() &&
      (only.empty() || std::string("E24 2+2 par/ser").find(only) != std::string::npos)) {
    const std::vector<double> times = CliTimes(cli, 7);
    if (times.empty()) {
      std::printf("\nordavin-cli could not be run (%s)\n", cli.c_str());
      allMet = false;
    } else {
      const bool met = times[times.size() / 2] < 0.1;
      allMet = allMet && met;
      std::printf(
          "\nWhole `ordavin-cli divider` process, E24 2+2 par/ser, %zu runs: fastest %s, "
          "median %s (goal < 100 ms: %s)\n",
          times.size(), Duration(times.front()).c_str(), Duration(times[times.size() / 2]).c_str(),
          met ? "met" : "MISSED");
    }
  }
  if (measureAbort && longestCase != nullptr) {
    const double latency = WorstAbortLatency(*longestCase, longest);
    const bool met = latency < 0.05;
    allMet = allMet && met;
    std::printf(
        "Abort, %s stopped at 5, 30, 60 and 90 %% of its run: returns within %s at "
        "worst (goal < 50 ms: %s)\n",
        CaseName(*longestCase).c_str(), Duration(latency).c_str(), met ? "met" : "MISSED");
  }
  std::printf("Load average at the end %s\n", LoadAverage().c_str());
  return allMet ? 0 : 1;
}

// The target-resistance search, fast engine against the straightforward one, side by side in
// one run. Each measurement runs in a child process of its own so that its peak memory is its
// own. Where the straightforward engine would take too long, it runs for a while and its
// rate extrapolates the whole.
//
//   ordavin-bench target [--series-dir DIR] [--cli PATH] [--budget SECONDS] [--quick] [--mixed]
#include "bench/TargetBenchmark.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <bit>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "run/TargetPreparation.h"
#include "search/MemoryBudget.h"
#include "target/FastTargetEngine.h"
#include "target/StraightforwardTargetEngine.h"
#include "target/mixed/MixedEnumerator.h"
#include "target/mixed/MixedNetworkCount.h"
#include "values/ValueSet.h"

namespace {

using namespace ordavin;
using Clock = std::chrono::steady_clock;

struct Case {
  const char* series;
  std::uint32_t count;
  ConnectionMode mode;
  const char* goal;
  double goalSeconds;  // for the fast engine; 0: a speed-up goal instead
};

const Case kCases[] = {
    {"E24", 5, ConnectionMode::ParallelAndSeries, "≥ 500× faster", 0},
    {"E96", 4, ConnectionMode::ParallelAndSeries, "< 0.2 s", 0.2},
    {"E96", 5, ConnectionMode::ParallelAndSeries, "< 1 s", 1.0},
    {"E96", 5, ConnectionMode::ParallelOnly, "–", 0},
    {"E96", 5, ConnectionMode::SeriesOnly, "–", 0},
    {"E192", 5, ConnectionMode::ParallelAndSeries, "< 10 s", 10.0},
};

// Mixed networks, against the enumerator where its lists fit in memory; the goals are for the
// whole ordavin-cli process.
const Case kMixedCases[] = {
    {"E24", 3, ConnectionMode::Mixed, "< 0.1 s", 0.1},
    {"E24", 4, ConnectionMode::Mixed, "< 0.5 s", 0.5},
    {"E96", 4, ConnectionMode::Mixed, "< 2 s", 2.0},
    {"E24", 5, ConnectionMode::Mixed, "< 5 s", 5.0},
    {"E96", 5, ConnectionMode::Mixed, "< 60 s", 60.0},
};

const char* ModeName(ConnectionMode mode) {
  switch (mode) {
    case ConnectionMode::Mixed:
      return "mixed";
    case ConnectionMode::ParallelOnly:
      return "parallel";
    case ConnectionMode::SeriesOnly:
      return "series";
    default:
      return "parallel + series";
  }
}

// What a child reports back.
struct Measurement {
  double seconds = 0;
  std::uint64_t visited = 0;
  std::uint64_t matching = 0;
  long peakKiB = 0;
  bool complete = false;
  std::uint64_t fingerprint = 0;  // of the kept rows, to compare the engines
};

std::uint64_t Fingerprint(const TargetEngine& engine) {
  std::uint64_t h = 1469598103934665603u;
  const auto mix = [&h](std::uint64_t x) { h = (h ^ x) * 1099511628211u; };
  mix(engine.MatchingCount());
  mix(engine.VisitedCount());
  for (const TargetMatch& m : engine.KeptMatches()) {
    for (const std::int32_t i : m.indices) mix(static_cast<std::uint64_t>(i));
    mix(m.isParallel ? 1 : 0);
    for (const std::int32_t t : m.network) mix(static_cast<std::uint64_t>(t));
    mix(std::bit_cast<std::uint64_t>(m.total));
    mix(std::bit_cast<std::uint64_t>(m.error));
  }
  return h;
}

bool Prepare(const std::string& dir, const Case& c, ValueSet& values, TargetEngine& engine) {
  if (!values.LoadSeriesFile(std::filesystem::path(dir) / (std::string(c.series) + ".SER"))) {
    return false;
  }
  values.GenerateValues();
  const std::vector<std::int32_t> checks(values.FullCount(), 1);
  TargetRequest request;
  request.targetResistance = 1234.5;
  request.tolerance = 0.005;
  request.maxResults = 10;
  request.resistorCount = c.count;
  request.connectionMode = c.mode;
  return PrepareTargetRun(values, checks, request, engine).ready;
}

// Runs one engine on one case in a child process; a budget > 0 aborts the run after that
// many seconds.
Measurement Measure(const std::string& dir, const Case& c, bool fast, double budget) {
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return {};
  const pid_t child = fork();
  if (child == 0) {
    close(pipeEnds[0]);
    Measurement m;
    ValueSet values;
    std::unique_ptr<TargetEngine> engine;
    if (fast) {
      engine = std::make_unique<FastTargetEngine>(values);
    } else {
      engine = std::make_unique<StraightforwardTargetEngine>(values);
    }
    if (Prepare(dir, c, values, *engine)) {
      std::atomic<bool> abort{false};
      std::atomic<bool> done{false};
      std::thread timer;
      if (budget > 0) {
        timer = std::thread([&] {
          const auto end = Clock::now() + std::chrono::duration<double>(budget);
          while (!done.load() && Clock::now() < end) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
          }
          abort.store(true);
        });
      }
      const auto start = Clock::now();
      engine->Optimize(abort);
      m.seconds = std::chrono::duration<double>(Clock::now() - start).count();
      m.complete = !abort.load();
      done.store(true);
      if (timer.joinable()) timer.join();
      m.visited = engine->VisitedCount();
      m.matching = engine->MatchingCount();
      m.fingerprint = Fingerprint(*engine);
      rusage usage{};
      getrusage(RUSAGE_SELF, &usage);
      m.peakKiB = usage.ru_maxrss;
    }
    const ssize_t written = write(pipeEnds[1], &m, sizeof m);
    _exit(written == static_cast<ssize_t>(sizeof m) ? 0 : 1);
  }
  close(pipeEnds[1]);
  Measurement m;
  const ssize_t got = read(pipeEnds[0], &m, sizeof m);
  close(pipeEnds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  if (got != static_cast<ssize_t>(sizeof m)) return {};
  return m;
}

// Wall time of a whole ordavin-cli process for the case, best of `runs`.
double MeasureCli(const std::string& cli, const std::string& dir, const Case& c, int runs = 5) {
  const std::string series = (std::filesystem::path(dir) / (std::string(c.series) + ".SER"));
  const std::string count = std::to_string(c.count);
  const char* mode = c.mode == ConnectionMode::ParallelOnly
                         ? "parallel"
                         : (c.mode == ConnectionMode::SeriesOnly
                                ? "series"
                                : (c.mode == ConnectionMode::Mixed ? "mixed" : "both"));
  double best = 1e9;
  for (int run = 0; run < runs; ++run) {
    const auto start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
      const int null = open("/dev/null", 1);
      if (null >= 0) {
        dup2(null, 1);
        dup2(null, 2);
      }
      execl(cli.c_str(), cli.c_str(), "target", "--series", series.c_str(), "--target", "1234.5",
            "--tolerance", "0.005", "--count", count.c_str(), "--connection", mode, "--max-results",
            "10", "--force", static_cast<char*>(nullptr));
      _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
    best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
  }
  return best;
}

std::string Seconds(double s) {
  char text[64];
  if (s >= 86400 * 2) {
    std::snprintf(text, sizeof text, "%.1f days", s / 86400);
  } else if (s >= 7200) {
    std::snprintf(text, sizeof text, "%.1f h", s / 3600);
  } else if (s >= 100) {
    std::snprintf(text, sizeof text, "%.0f s", s);
  } else if (s >= 1) {
    std::snprintf(text, sizeof text, "%.2f s", s);
  } else {
    std::snprintf(text, sizeof text, "%.3f s", s);
  }
  return text;
}

// The mixed cases: the fast engine and the enumerator in child processes (the enumerator only
// where its lists fit in memory, extrapolated from a prefix where it would take too long),
// and the whole ordavin-cli process. Returns whether every goal was met.
bool RunMixedCases(const std::string& dir, const std::string& cli, double budget, double prefix) {
  std::printf(
      "\n| mixed networks | networks | enumerator | fast engine | whole ordavin-cli | peak "
      "memory (fast / enumerator) | speed-up | same result | goal |\n");
  std::printf("|---|---:|---:|---:|---:|---:|---:|---|---|\n");
  bool allMet = true;
  for (const Case& c : kMixedCases) {
    ValueSet values;
    values.LoadSeriesFile(std::filesystem::path(dir) / (std::string(c.series) + ".SER"));
    values.GenerateValues();
    const auto networks = MixedNetworkCount(values.FullCount(), c.count);
    // A fast run past ten times its goal is stopped there and extrapolated (a rough figure:
    // the later units of work take longer per network).
    Measurement fast = Measure(dir, c, true, 10 * c.goalSeconds);
    if (fast.visited == 0 || !networks) {
      std::printf("| %s, N = %u | failed | | | | | | | |\n", c.series, c.count);
      allMet = false;
      continue;
    }
    std::string fastText = Seconds(fast.seconds);
    if (!fast.complete) {
      fast.seconds *= static_cast<double>(*networks) / static_cast<double>(fast.visited);
      fastText = Seconds(fast.seconds) + " (extrapolated)";
      fast.visited = *networks;
    }
    const double whole =
        cli.empty() || !fast.complete ? -1 : MeasureCli(cli, dir, c, fast.seconds < 5 ? 5 : 1);
    const double listBytes = MixedEnumerator::ListBytes(values.FullCount(), c.count);
    char refused[64];
    std::snprintf(refused, sizeof refused, "refused: lists of %.0f GiB", listBytes / 1073741824.0);
    std::string enumerator = refused;
    std::string same = "–";
    std::string ratio = "–";
    std::string enumeratorPeak = "–";
    if (listBytes <= static_cast<double>(DefaultMemoryLimit())) {
      Measurement slow = Measure(dir, c, false, prefix);
      double slowSeconds = slow.complete
                               ? slow.seconds
                               : slow.seconds * static_cast<double>(fast.visited) /
                                     static_cast<double>(std::max<std::uint64_t>(slow.visited, 1));
      if (!slow.complete && slowSeconds <= budget) {
        slow = Measure(dir, c, false, 0);
        slowSeconds = slow.seconds;
      }
      enumerator = Seconds(slowSeconds) + (slow.complete ? "" : " (extrapolated)");
      same = slow.complete ? (slow.fingerprint == fast.fingerprint ? "yes" : "**NO**")
                           : "(not run to the end)";
      ratio = std::to_string(static_cast<long long>(slowSeconds / fast.seconds)) + "×";
      enumeratorPeak = std::to_string(slow.peakKiB / 1024) + " MiB";
    }
    const double measured = whole >= 0 ? whole : fast.seconds;
    const bool met = fast.complete && measured < c.goalSeconds && fast.peakKiB < 2 * 1024 * 1024;
    allMet = allMet && met;
    std::printf("| %s, N = %u | %.3g | %s | %s | %s | %.0f MiB / %s | %s | %s | %s%s |\n", c.series,
                c.count, static_cast<double>(fast.visited), enumerator.c_str(), fastText.c_str(),
                whole >= 0 ? Seconds(whole).c_str() : "–", static_cast<double>(fast.peakKiB) / 1024,
                enumeratorPeak.c_str(), ratio.c_str(), same.c_str(), c.goal, met ? " ✓" : " ✗");
    std::fflush(stdout);
  }
  return allMet;
}

}  // namespace

int RunTargetBenchmark(int argc, char** argv) {
#ifdef ORDAVIN_SERIES_DIR
  std::string dir = ORDAVIN_SERIES_DIR;
#else
  std::string dir = "series";
#endif
#ifdef ORDAVIN_CLI_PATH
  std::string cli = ORDAVIN_CLI_PATH;
#else
  std::string cli;
#endif
  double budget = 150;  // run the straightforward engine to the end when it takes no longer
  double prefix = 5;    // otherwise for this long
  bool mixedOnly = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--series-dir" && i + 1 < argc) {
      dir = argv[++i];
    } else if (arg == "--cli" && i + 1 < argc) {
      cli = argv[++i];
    } else if (arg == "--budget" && i + 1 < argc) {
      budget = std::atof(argv[++i]);
    } else if (arg == "--no-cli") {
      cli.clear();
    } else if (arg == "--quick") {
      budget = 0;
      prefix = 2;
    } else if (arg == "--mixed") {
      mixedOnly = true;
    } else {
      std::fprintf(stderr,
                   "usage: ordavin-bench target [--series-dir DIR] [--cli PATH | --no-cli] "
                   "[--budget SECONDS] [--quick] [--mixed]\n");
      return 2;
    }
  }

  std::printf(
      "Target 1234.5 Ω, tolerance 0.005, 10 results, series 1 Ω–10 MΩ; fast engine on %u "
      "cores.\n",
      std::max(1u, std::thread::hardware_concurrency()));
  if (mixedOnly) return RunMixedCases(dir, cli, budget, prefix) ? 0 : 1;
  std::printf("\n");
  std::printf(
      "| case | evaluations | straightforward | fast (cold) | fast (warm, best of 3) | peak "
      "memory (fast / straightforward) | speed-up | same result | goal |\n");
  std::printf("|---|---:|---:|---:|---:|---:|---:|---|---|\n");
  bool allMet = true;
  for (const Case& c : kCases) {
    const Measurement cold = Measure(dir, c, true, 0);
    if (!cold.complete) {
      std::printf("| %s, N = %u, %s | failed | | | | | | | |\n", c.series, c.count,
                  ModeName(c.mode));
      allMet = false;
      continue;
    }
    double warm = cold.seconds;
    for (int run = 0; run < 3; ++run) warm = std::min(warm, Measure(dir, c, true, 0).seconds);

    // Extrapolated from a prefix first; run to the end when that fits the budget.
    Measurement slow = Measure(dir, c, false, prefix);
    double slowSeconds = slow.complete
                             ? slow.seconds
                             : slow.seconds * static_cast<double>(cold.visited) /
                                   static_cast<double>(std::max<std::uint64_t>(slow.visited, 1));
    bool measured = slow.complete;
    if (!measured && slowSeconds <= budget) {
      slow = Measure(dir, c, false, 0);
      slowSeconds = slow.seconds;
      measured = slow.complete;
    }
    const double speedUp = slowSeconds / warm;
    const bool met = c.goalSeconds > 0 ? warm < c.goalSeconds
                                       : (std::strcmp(c.goal, "–") == 0 || speedUp >= 500);
    allMet = allMet && met;
    std::string same = measured ? (slow.fingerprint == cold.fingerprint ? "yes" : "**NO**")
                                : "(not run to the end)";
    std::printf(
        "| %s, N = %u, %s | %.3g | %s%s | %s | %s | %.0f MiB / %.0f MiB | %.0f× | %s | %s%s |\n",
        c.series, c.count, ModeName(c.mode), static_cast<double>(cold.visited),
        Seconds(slowSeconds).c_str(), measured ? "" : " (extrapolated)",
        Seconds(cold.seconds).c_str(), Seconds(warm).c_str(),
        static_cast<double>(cold.peakKiB) / 1024, static_cast<double>(slow.peakKiB) / 1024, speedUp,
        same.c_str(), c.goal, met ? " ✓" : " ✗");
    std::fflush(stdout);
  }
  if (!cli.empty()) {
    const double whole = MeasureCli(cli, dir, kCases[0]);
    std::printf(
        "\nWhole `ordavin-cli target` process, E24, N = 5, parallel + series: %s (goal "
        "< 0.1 s)%s\n",
        Seconds(whole).c_str(), whole >= 0 && whole < 0.1 ? " ✓" : " ✗");
    allMet = allMet && whole >= 0 && whole < 0.1;
  }
  allMet = RunMixedCases(dir, cli, budget, prefix) && allMet;
  return allMet ? 0 : 1;
}

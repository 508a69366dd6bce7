// The straightforward and the fast divider engine side by side on the bundled series, as a
// Markdown table: wall time of the first run in a fresh process (cold, the median of three
// processes) and of a repeat (warm, the best of two per process), peak memory, speed-up. A
// straightforward run that would take too long is stopped after a time budget and extrapolated from
// the share it visited. Each measurement runs in a child process of its own, so that its peak
// memory is its own.
//
//   ordavin-bench [--budget SECONDS] [--only CASE] [--cli PATH] [--no-abort]
//   ordavin-bench target ...     (see TargetBenchmark.cpp)
//   ordavin-bench precision ...  (see PrecisionBenchmark.cpp)
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "bench/BenchText.h"
#include "bench/ChildProcess.h"
#include "bench/CliTiming.h"
#include "bench/DividerBenchCase.h"
#include "bench/DividerMeasure.h"
#include "bench/PrecisionBenchmark.h"
#include "bench/TargetBenchmark.h"
#include "search/MemoryBudget.h"
#include "search/ParallelWork.h"

namespace {

using namespace ordavin;
using namespace ordavin::divider_bench;

struct Options {
  double budget = 5.0;
  std::string only;
  std::string cli;
  bool measureAbort = true;
};

// None, after the usage has been printed, when the arguments are not understood.
std::optional<Options> ParseOptions(int argc, char** argv) {
  Options options;
#ifdef ORDAVIN_CLI_PATH
  options.cli = ORDAVIN_CLI_PATH;
#endif
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--budget" && i + 1 < argc) {
      options.budget = std::atof(argv[++i]);
    } else if (arg == "--only" && i + 1 < argc) {
      options.only = argv[++i];
    } else if (arg == "--cli" && i + 1 < argc) {
      options.cli = argv[++i];
    } else if (arg == "--no-abort") {
      options.measureAbort = false;
    } else {
      std::fprintf(stderr, "usage: %s [--budget SECONDS] [--only CASE] [--cli PATH] [--no-abort]\n",
                   argv[0]);
      return std::nullopt;
    }
  }
  return options;
}

void PrintHeading(double budget) {
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
}

// The goal column; `met` tells whether the fast engine reached it.
std::string GoalText(const Case& c, const Report& fast, double speedUp, bool& met) {
  std::string goal = "-";
  met = true;
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
  return goal;
}

// The table's row for one case, both engines measured. False when a goal was missed or the
// engines' results differ.
bool PrintRow(const Case& c, const Report& fast, const Report& straight) {
  bool allMet = true;
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
  bool met = true;
  const std::string goal = GoalText(c, fast, speedUp, met);
  std::printf("| %s | %.3g | %s | %s | %s | %s | %.0fx | %s %s |\n", CaseName(c).c_str(),
              static_cast<double>(fast.total), straightText.c_str(), Duration(fast.seconds).c_str(),
              Duration(fast.warm).c_str(), Memory(fast.maxRssKiB).c_str(), speedUp, goal.c_str(),
              met ? "met" : "MISSED");
  std::fflush(stdout);
  return allMet && met;
}

// The whole ordavin-cli process on E24 2+2 par/ser. False when it failed or was too slow.
bool PrintCliLine(const std::string& cli) {
  const std::vector<double> times = CliTimes(cli, 7);
  if (times.empty()) {
    std::printf("\nordavin-cli could not be run (%s)\n", cli.c_str());
    return false;
  }
  const bool met = times[times.size() / 2] < 0.1;
  std::printf(
      "\nWhole `ordavin-cli divider` process, E24 2+2 par/ser, %zu runs: fastest %s, "
      "median %s (goal < 100 ms: %s)\n",
      times.size(), Duration(times.front()).c_str(), Duration(times[times.size() / 2]).c_str(),
      met ? "met" : "MISSED");
  return met;
}

// The abort latency of the longest case's fast run. False when it was too slow.
bool PrintAbortLine(const Case& c, double runSeconds) {
  const double latency = WorstAbortLatency(c, runSeconds);
  const bool met = latency < 0.05;
  std::printf(
      "Abort, %s stopped at 5, 30, 60 and 90 %% of its run: returns within %s at "
      "worst (goal < 50 ms: %s)\n",
      CaseName(c).c_str(), Duration(latency).c_str(), met ? "met" : "MISSED");
  return met;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::string(argv[1]) == "target") return RunTargetBenchmark(argc - 1, argv + 1);
  if (argc > 1 && std::string(argv[1]) == "precision") {
    return RunPrecisionBenchmark(argc - 1, argv + 1);
  }
  const std::optional<Options> options = ParseOptions(argc, argv);
  if (!options) return 2;
  PrintHeading(options->budget);

  bool allMet = true;
  double longest = 0;
  const Case* longestCase = nullptr;
  for (const Case& c : Cases()) {
    const std::string name = CaseName(c);
    if (!options->only.empty() && name.find(options->only) == std::string::npos) continue;
    const Report fast = MeasureFast(c);
    const Report straight = MeasureStraightforward(
        c, c.straightforwardToTheEnd ? std::nullopt : std::optional<double>(options->budget));
    if (!fast.ok || !straight.ok) {
      std::printf("| %s | measurement failed | | | | | | |\n", name.c_str());
      allMet = false;
      continue;
    }
    if (fast.seconds > longest) {
      longest = fast.seconds;
      longestCase = &c;
    }
    allMet = PrintRow(c, fast, straight) && allMet;
  }

  const std::string& cli = options->cli;
  if (!cli.empty() && (options->only.empty() ||
                       std::string("E24 2+2 par/ser").find(options->only) != std::string::npos)) {
    allMet = PrintCliLine(cli) && allMet;
  }
  if (options->measureAbort && longestCase != nullptr) {
    allMet = PrintAbortLine(*longestCase, longest) && allMet;
  }
  std::printf("Load average at the end %s\n", LoadAverage().c_str());
  return allMet ? 0 : 1;
}

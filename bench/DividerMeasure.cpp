#include "bench/DividerMeasure.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "bench/BenchClock.h"
#include "divider/FastDividerEngine.h"
#include "divider/StraightforwardDividerEngine.h"

namespace ordavin::divider_bench {
namespace {

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

}  // namespace

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
      return ReportLine(cold, warm, 1, engine.VisitedCount(), Digest(engine));
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
    return ReportLine(seconds / share, 0, share, total, aborted ? 0 : Digest(engine));
  });
}

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
      return ReportLine(Seconds(set, end), 0, 1, 0, 0);
    });
    if (r.ok) worst = std::max(worst, r.seconds);
  }
  return worst;
}

}  // namespace ordavin::divider_bench

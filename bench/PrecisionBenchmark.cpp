// ordavin-bench precision [--cli PATH] [--before PATH] [--runs N] [--only CASE]
//
// Each case is a whole `ordavin-cli divider --json` process, as a user runs it: wall time
// (the best of --runs) and peak memory. With --before, an earlier ordavin-cli runs the same
// searches in turn with this one, and their JSON (apart from "seconds") must be identical.
#include "bench/PrecisionBenchmark.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "bench/BenchClock.h"
#include "bench/BenchText.h"

namespace ordavin {
namespace {

using divider_bench::Clock;
using divider_bench::Duration;
using divider_bench::LoadAverage;
using divider_bench::Memory;
using divider_bench::Seconds;

struct Case {
  const char* name;
  std::vector<std::string> arguments;
  double goalSeconds;
  long goalKiB;  // 0: none
};

std::vector<Case> Cases() {
  const std::string dir = ORDAVIN_SERIES_DIR;
  const std::vector<std::string> threeEach = {"--upper", "3", "--lower", "3"};
  auto with = [&](const char* series, std::vector<std::string> more) {
    std::vector<std::string> arguments = {"divider", "--json", "--series",
                                          dir + "/" + series + ".SER"};
    arguments.insert(arguments.end(), threeEach.begin(), threeEach.end());
    arguments.insert(arguments.end(), more.begin(), more.end());
    return arguments;
  };
  constexpr long kFourGiB = 4L << 20;
  return {
      {"E96 3+3, default windows", with("E96", {}), 0.5, 0},
      {"E192 3+3, default windows", with("E192", {}), 10, kFourGiB},
      {"E192 3+3 ser/ser, series window off",
       with("E192", {"--upper-mode", "series", "--lower-mode", "series", "--series-window", "off"}),
       10, kFourGiB},
  };
}

struct Run {
  bool ok = false;
  double seconds = 0;
  long maxRssKiB = 0;
  std::string json;  // without "seconds"
};

// One process: its wall time, its own peak memory and its output.
Run RunOnce(const std::string& cli, const std::vector<std::string>& arguments) {
  char path[] = "/tmp/ordavin-bench-XXXXXX";
  const int out = mkstemp(path);
  if (out < 0) return {};
  Run run;
  const auto start = Clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    if (dup2(out, STDOUT_FILENO) < 0 || std::freopen("/dev/null", "w", stderr) == nullptr) {
      _exit(126);
    }
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(cli.c_str()));
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(cli.c_str(), argv.data());
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  const bool waited = pid > 0 && wait4(pid, &status, 0, &usage) == pid;
  run.seconds = Seconds(start, Clock::now());
  close(out);
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  std::remove(path);
  if (!waited || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return run;
  run.ok = true;
  run.maxRssKiB = usage.ru_maxrss;
  run.json = std::regex_replace(text.str(), std::regex("\"seconds\": *[-0-9.e+]+"), "");
  return run;
}

// Keeps the fastest of a case's runs, with the largest peak memory among them.
bool RunAndKeepBest(const std::string& cli, const std::vector<std::string>& arguments, Run& best,
                    bool first) {
  Run run = RunOnce(cli, arguments);
  if (!run.ok) return false;
  const long rss = first ? run.maxRssKiB : std::max(best.maxRssKiB, run.maxRssKiB);
  if (first || run.seconds < best.seconds) best = std::move(run);
  best.maxRssKiB = rss;
  return true;
}

}  // namespace

int RunPrecisionBenchmark(int argc, char** argv) {
#ifdef ORDAVIN_CLI_PATH
  std::string cli = ORDAVIN_CLI_PATH;
#else
  std::string cli;
#endif
  std::string before;
  std::string only;
  int runs = 3;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--cli" && i + 1 < argc) {
      cli = argv[++i];
    } else if (arg == "--before" && i + 1 < argc) {
      before = argv[++i];
    } else if (arg == "--runs" && i + 1 < argc) {
      runs = std::max(1, std::atoi(argv[++i]));
    } else if (arg == "--only" && i + 1 < argc) {
      only = argv[++i];
    } else {
      std::fprintf(stderr,
                   "usage: ordavin-bench precision [--cli PATH] [--before PATH] [--runs N] "
                   "[--only CASE]\n");
      return 2;
    }
  }
  if (cli.empty()) {
    std::fprintf(stderr, "ordavin-bench precision: no ordavin-cli (--cli PATH)\n");
    return 2;
  }
  std::printf("Whole ordavin-cli divider processes, best of %d; load average at the start %s\n\n",
              runs, LoadAverage().c_str());
  if (before.empty()) {
    std::printf("| case | time | peak memory | goal |\n|---|---:|---:|---|\n");
  } else {
    std::printf(
        "| case | before | after | speed-up | peak memory before / after | same result | goal |\n"
        "|---|---:|---:|---:|---:|---|---|\n");
  }
  bool allMet = true;
  for (const Case& c : Cases()) {
    if (!only.empty() && std::string(c.name).find(only) == std::string::npos) continue;
    Run now;
    Run then;
    bool ok = true;
    for (int r = 0; r < runs && ok; ++r) {
      if (!before.empty()) ok = RunAndKeepBest(before, c.arguments, then, r == 0);
      ok = ok && RunAndKeepBest(cli, c.arguments, now, r == 0);
    }
    if (!ok) {
      std::printf("| %s | could not be run | | | | | |\n", c.name);
      allMet = false;
      continue;
    }
    const bool met = now.seconds < c.goalSeconds && (c.goalKiB == 0 || now.maxRssKiB < c.goalKiB);
    char goal[96];
    std::snprintf(goal, sizeof goal, "< %s%s %s", Duration(c.goalSeconds).c_str(),
                  c.goalKiB != 0 ? ", < 4 GiB" : "", met ? "met" : "MISSED");
    allMet = allMet && met;
    if (before.empty()) {
      std::printf("| %s | %s | %s | %s |\n", c.name, Duration(now.seconds).c_str(),
                  Memory(now.maxRssKiB).c_str(), goal);
    } else {
      const bool same = now.json == then.json;
      allMet = allMet && same;
      std::printf("| %s | %s | %s | %.1fx | %s / %s | %s | %s |\n", c.name,
                  Duration(then.seconds).c_str(), Duration(now.seconds).c_str(),
                  then.seconds / now.seconds, Memory(then.maxRssKiB).c_str(),
                  Memory(now.maxRssKiB).c_str(), same ? "yes" : "NO", goal);
    }
    std::fflush(stdout);
  }
  std::printf("\nLoad average at the end %s\n", LoadAverage().c_str());
  return allMet ? 0 : 1;
}

}  // namespace ordavin

#include "bench/CliTiming.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

#include "bench/BenchClock.h"
#include "bench/DividerBenchCase.h"

namespace ordavin::divider_bench {

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

}  // namespace ordavin::divider_bench

#include "bench/ChildProcess.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cinttypes>
#include <cstdio>

namespace ordavin::divider_bench {

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

std::string ReportLine(double seconds, double warm, double share, std::uint64_t total,
                       std::uint64_t digest) {
  char line[256];
  std::snprintf(line, sizeof line, "%.9g %.9g %.9g %" PRIu64 " %" PRIu64 "\n", seconds, warm, share,
                total, digest);
  return line;
}

}  // namespace ordavin::divider_bench

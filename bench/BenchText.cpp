#include "bench/BenchText.h"

#include <cstdio>
#include <fstream>

namespace ordavin::divider_bench {

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

}  // namespace ordavin::divider_bench

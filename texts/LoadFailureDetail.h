#pragma once

#include <string>
#include <string_view>

namespace ordavin {

// The line under "Loading failed." that says which file and why, as shells say it:
// 'E24.SER': No such file or directory
inline std::string LoadFailureDetail(std::string_view path, std::string_view reason) {
  std::string detail;
  detail.reserve(path.size() + reason.size() + 4);
  detail.append("'").append(path).append("': ").append(reason);
  return detail;
}

}  // namespace ordavin

#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace ordavin::cli::testing {

// The program's JSON documents, their keys in the order written.
using Json = nlohmann::ordered_json;

// An object's keys in their order.
inline std::vector<std::string> Keys(const Json& object) {
  std::vector<std::string> keys;
  for (const auto& [key, value] : object.items()) keys.push_back(key);
  return keys;
}

// The lines of a text without their "\n"; a last line without one counts too.
inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

}  // namespace ordavin::cli::testing

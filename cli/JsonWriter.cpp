#include "cli/JsonWriter.h"

#include <cmath>

#include "values/NumberText.h"

namespace ordavin::cli {
namespace {

void AppendString(std::string& out, const std::string& text) {
  out += Json(text).dump(-1, ' ', false, Json::error_handler_t::replace);
}

void AppendDouble(std::string& out, double value) {
  if (std::isnan(value)) {
    out += "\"nan\"";
  } else if (std::isinf(value)) {
    out += value > 0 ? "\"inf\"" : "\"-inf\"";
  } else {
    out += FormatShortest(value);
  }
}

void Append(std::string& out, const Json& value) {
  switch (value.type()) {
    case Json::value_t::object: {
      out += '{';
      bool first = true;
      for (const auto& [key, member] : value.items()) {
        if (!first) out += ',';
        first = false;
        AppendString(out, key);
        out += ':';
        Append(out, member);
      }
      out += '}';
      break;
    }
    case Json::value_t::array: {
      out += '[';
      bool first = true;
      for (const Json& element : value) {
        if (!first) out += ',';
        first = false;
        Append(out, element);
      }
      out += ']';
      break;
    }
    case Json::value_t::number_float:
      AppendDouble(out, value.get<double>());
      break;
    case Json::value_t::string:
      AppendString(out, value.get_ref<const std::string&>());
      break;
    default:
      // null, booleans, integers; nlohmann writes these exactly. Binary values are never built.
      out += value.dump();
      break;
  }
}

}  // namespace

std::string WriteJson(const Json& value) {
  std::string out;
  Append(out, value);
  return out;
}

}  // namespace ordavin::cli

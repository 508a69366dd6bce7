#pragma once

#include <nlohmann/json.hpp>
#include <string>

namespace ordavin::cli {

// Keys keep the order they were added in, as the documents are read by people too.
using Json = nlohmann::ordered_json;

// The document as compact JSON text. Doubles are written in the shortest form that reads
// back to the same value (5000, 0.1, 1e+300); infinities and NaN, which JSON lacks, as the
// strings "inf", "-inf" and "nan". Strings stay UTF-8; invalid bytes become U+FFFD.
std::string WriteJson(const Json& value);

}  // namespace ordavin::cli

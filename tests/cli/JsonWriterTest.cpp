#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "cli/JsonWriter.h"

namespace ordavin::cli {
namespace {

TEST(JsonWriterTest, DoublesInTheirShortestRoundTripForm) {
  EXPECT_EQ(WriteJson(Json(5000.0)), "5000");
  EXPECT_EQ(WriteJson(Json(0.1)), "0.1");
  EXPECT_EQ(WriteJson(Json(1e300)), "1e+300");
  EXPECT_EQ(WriteJson(Json(-2.5e-7)), "-2.5e-07");
  EXPECT_EQ(WriteJson(Json(220.00000000000003)), "220.00000000000003");
  EXPECT_EQ(WriteJson(Json(0.1 + 0.2)), "0.30000000000000004");
  EXPECT_EQ(WriteJson(Json(std::numeric_limits<double>::denorm_min())), "5e-324");
  EXPECT_EQ(WriteJson(Json(-0.0)), "-0");
  // Every written double reads back to itself.
  for (const double value : {1.0 / 3, 149.85507246376812, 1.7976931348623157e308, 1e-300}) {
    EXPECT_EQ(Json::parse(WriteJson(Json(value))).get<double>(), value);
  }
}

TEST(JsonWriterTest, NonFiniteNumbersBecomeStrings) {
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(WriteJson(Json(inf)), "\"inf\"");
  EXPECT_EQ(WriteJson(Json(-inf)), "\"-inf\"");
  EXPECT_EQ(WriteJson(Json(std::nan(""))), "\"nan\"");
  EXPECT_EQ(WriteJson(Json(-std::nan(""))), "\"nan\"");
  Json document = Json::object();
  document["rpar_total"] = inf;
  document["list"] = Json::array({1.5, -inf, std::nan("")});
  EXPECT_EQ(WriteJson(document), "{\"rpar_total\":\"inf\",\"list\":[1.5,\"-inf\",\"nan\"]}");
}

TEST(JsonWriterTest, IntegersBooleansAndNullExactly) {
  EXPECT_EQ(WriteJson(Json(std::numeric_limits<std::uint64_t>::max())), "18446744073709551615");
  EXPECT_EQ(WriteJson(Json(std::numeric_limits<std::int64_t>::min())), "-9223372036854775808");
  EXPECT_EQ(WriteJson(Json(std::int32_t{-3})), "-3");
  EXPECT_EQ(WriteJson(Json(true)), "true");
  EXPECT_EQ(WriteJson(Json(false)), "false");
  EXPECT_EQ(WriteJson(Json(nullptr)), "null");
}

TEST(JsonWriterTest, StringsKeepUtf8AndEscapeWhatJsonRequires) {
  EXPECT_EQ(WriteJson(Json("10.00 k\u2126||4.70 \u00B5\u2126")),
            "\"10.00 k\u2126||4.70 \u00B5\u2126\"");
  EXPECT_EQ(WriteJson(Json("a\"b\\c\nd\te\x01")), "\"a\\\"b\\\\c\\nd\\te\\u0001\"");
  // Bytes that are not UTF-8 cannot make the document unreadable.
  const std::string written = WriteJson(Json("ok\xFF"));
  EXPECT_EQ(written, "\"ok\xEF\xBF\xBD\"");
  EXPECT_TRUE(Json::accept(written));
}

TEST(JsonWriterTest, ObjectsKeepTheirKeyOrderAndNestingIsCompact) {
  Json document = Json::object();
  document["kind"] = "divider";
  document["b"] = Json::array();
  document["a"] = Json::object();
  document["matches"] = Json::array({Json::object({{"rank", 1}, {"upper", {10000.0, 2200.0}}})});
  EXPECT_EQ(WriteJson(document),
            "{\"kind\":\"divider\",\"b\":[],\"a\":{},\"matches\":[{\"rank\":1,\"upper\":[10000,"
            "2200]}]}");
  // Keys are escaped like strings.
  Json odd = Json::object();
  odd["q\"k"] = 1;
  EXPECT_EQ(WriteJson(odd), "{\"q\\\"k\":1}");
}

}  // namespace
}  // namespace ordavin::cli

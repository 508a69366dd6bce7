#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "support/CsvReader.h"
#include "support/Rng.h"
#include "texts/CsvText.h"

namespace ordavin {
namespace {

using ::ordavin::testing::ReadCsv;
using ::ordavin::testing::Rng;

TEST(CsvTextTest, QuotedOnlyWhenACommaQuoteOrLineBreakIsInside) {
  struct Case {
    const char* text;
    const char* field;
  };
  const Case cases[] = {
      {"", ""},
      {"plain", "plain"},
      {" spaces kept ", " spaces kept "},
      {"4.7k, 10k", "\"4.7k, 10k\""},
      {"say \"hi\"", "\"say \"\"hi\"\"\""},
      {"\"", "\"\"\"\""},
      {"two\nlines", "\"two\nlines\""},
      {"cr\r", "\"cr\r\""},
      {"tab\there", "tab\there"},
      // UTF-8 passes byte for byte, unquoted: ohm and micro signs.
      {"4.70 \u00B5\u2126||10.00 k\u2126", "4.70 \u00B5\u2126||10.00 k\u2126"},
      {"1,00 \u2126", "\"1,00 \u2126\""},
  };
  for (const Case& c : cases) EXPECT_EQ(CsvField(c.text), c.field) << c.text;
}

TEST(CsvTextTest, RecordsJoinWithCommasAndEndInCrLf) {
  EXPECT_EQ(CsvRecord(std::vector<std::string>{}), "\r\n");
  EXPECT_EQ(CsvRecord(std::vector<std::string>{""}), "\r\n");
  EXPECT_EQ(CsvRecord(std::vector<std::string>{"", ""}), ",\r\n");
  EXPECT_EQ(CsvRecord(std::vector<std::string>{"1", "a,b", "-0.0012"}), "1,\"a,b\",-0.0012\r\n");
}

// Random records of awkward characters read back field for field by an independent reader.
TEST(CsvTextTest, RandomRecordsReadBackAsWritten) {
  const std::array<std::string, 10> pieces{",", "\"", "\r",     "\n",     "\r\n",
                                           " ", "a",  "\u2126", "\u00B5", "||"};
  Rng rng(12);
  for (int round = 0; round < 500; ++round) {
    std::vector<std::vector<std::string>> records(1 + rng.Below(3));
    std::string csv;
    for (auto& record : records) {
      record.resize(1 + rng.Below(5));
      for (std::string& field : record) {
        const std::uint32_t length = rng.Below(6);
        for (std::uint32_t k = 0; k < length; ++k) field += rng.Pick(pieces);
      }
      csv += CsvRecord(record);
    }
    EXPECT_EQ(ReadCsv(csv), records) << csv;
  }
}

}  // namespace
}  // namespace ordavin

#include <gtest/gtest.h>

#include "divider/DivisionFactor.h"

namespace ordavin {
namespace {

struct FactorCase {
  const char* text;
  double factor;
};

class ParseDivisionFactorTest : public ::testing::TestWithParam<FactorCase> {};

TEST_P(ParseDivisionFactorTest, Parses) {
  EXPECT_EQ(ParseDivisionFactor(GetParam().text), GetParam().factor) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseDivisionFactorTest,
    ::testing::Values(FactorCase{"1.25/3.3", 1.25 / 3.3}, FactorCase{"0.5", 0.5},
                      FactorCase{"1", 0}, FactorCase{"0", 0}, FactorCase{"1e-3", 0.001},
                      FactorCase{"0.5abc", 0.5}, FactorCase{"abc", 0}, FactorCase{"", 0},
                      FactorCase{"1/3", 1.0 / 3}, FactorCase{"3.3/1.25", 3.3 / 1.25},
                      FactorCase{"-1/2", 0}, FactorCase{"-1.25/-3.3", 1.25 / 3.3},
                      FactorCase{"1/0", 0}, FactorCase{"0/1", 0}, FactorCase{"/2", 0},
                      FactorCase{"2/", 0}, FactorCase{"1/2/3", 0.5},
                      FactorCase{" 1.25 / 3.3", 1.25 / 3.3}, FactorCase{"0,5", 0},
                      FactorCase{"1,25/3,3", 1.0 / 3}, FactorCase{"-0.5", 0},
                      FactorCase{"1e999/1e999", 0}, FactorCase{"1e-300/1e300", 0},
                      FactorCase{"1/1e999", 0}, FactorCase{"inf", 0}, FactorCase{"nan", 0},
                      FactorCase{"0.25118864", 0.25118864}));

}  // namespace
}  // namespace ordavin

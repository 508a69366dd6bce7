#include <gtest/gtest.h>

#include "texts/ErrorText.h"

namespace ordavin {
namespace {

TEST(FormatErrorTest, ZeroOfEitherSign) {
  EXPECT_EQ(FormatError(0.0), "Zero");
  EXPECT_EQ(FormatError(-0.0), "Zero");
}

TEST(FormatErrorTest, PpmUpToOneHundredInclusive) {
  EXPECT_EQ(FormatError(-5e-5), "-50.0 ppm");
  EXPECT_EQ(FormatError(0.0001), "+100.0 ppm");
  EXPECT_EQ(FormatError(-0.0001), "-100.0 ppm");
  EXPECT_EQ(FormatError(1e-12), "+0.0 ppm");
}

TEST(FormatErrorTest, PercentAbove) {
  EXPECT_EQ(FormatError(6.2539e-4), "+0.063 %");
  EXPECT_EQ(FormatError(-0.16834), "-16.834 %");
  EXPECT_EQ(FormatError(0.00010000000000000002), "+0.010 %");
  EXPECT_EQ(FormatError(-0.0009661835748791722), "-0.097 %");
}

}  // namespace
}  // namespace ordavin

#include <gtest/gtest.h>

#include "base/uDateTime.h"

using namespace qlm;

namespace {

TEST(DateTime, FileTimeToDateTime) {
  EXPECT_DOUBLE_EQ(FileTimeToDateTime(0), -109205.0);
  EXPECT_DOUBLE_EQ(FileTimeToDateTime(864000000000ULL * 109205ULL), 0.0);
  // Noon of 31 December 1899.
  EXPECT_DOUBLE_EQ(FileTimeToDateTime(864000000000ULL * 109206ULL + 432000000000ULL), 1.5);
}

TEST(DateTime, DateTimeToParts) {
  struct Case {
    double value;
    TDateParts expected;
  } cases[] = {
      {0.0, {1899, 12, 30, 0, 0, 0, 0}},
      {39887.6010763889, {2009, 3, 15, 14, 25, 33, 0}},
      {-109205.0, {1601, 1, 1, 0, 0, 0, 0}},
      {36526.75, {2000, 1, 1, 18, 0, 0, 0}},
      // A negative date-time's fraction is still the time of that day.
      {-1.25, {1899, 12, 29, 6, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    const TDateParts p = DateTimeToParts(c.value);
    EXPECT_EQ(p.Year, c.expected.Year) << c.value;
    EXPECT_EQ(p.Month, c.expected.Month) << c.value;
    EXPECT_EQ(p.Day, c.expected.Day) << c.value;
    EXPECT_EQ(p.Hour, c.expected.Hour) << c.value;
    EXPECT_EQ(p.Minute, c.expected.Minute) << c.value;
    EXPECT_EQ(p.Second, c.expected.Second) << c.value;
  }
}

}  // namespace

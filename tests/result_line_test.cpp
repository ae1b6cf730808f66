#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "driver/fixed_point.h"
#include "driver/report.h"

namespace {

struct ResultLineCase {
  TickCount minimum;
  const char* line;
};

// The minima whose lines are easy to get wrong: exact ties of the three-decimal rounding, a value
// a trace below a tie, a product that x87's double rounding would change, fields that widen, and
// minima of 2^31 or more, which print as negative ticks.
const ResultLineCase RESULT_LINES[] = {
    {0, "         0 Ticks (min),  0.000 cycles\n"},
    {1, "         1 Ticks (min),  0.000 cycles\n"},
    {345, "       345 Ticks (min),  0.012 cycles\n"},
    {1875, "      1875 Ticks (min),  0.063 cycles\n"},
    {9375, "      9375 Ticks (min),  0.313 cycles\n"},
    {15855, "     15855 Ticks (min),  0.529 cycles\n"},
    {90000, "     90000 Ticks (min),  3.000 cycles\n"},
    {2999985, "   2999985 Ticks (min), 100.000 cycles\n"},
    {3000000, "   3000000 Ticks (min), 100.000 cycles\n"},
    {2147483647, "2147483647 Ticks (min), 71582.788 cycles\n"},
    {2147483648U, "-2147483648 Ticks (min), 71582.788 cycles\n"},
    {4294967295U, "        -1 Ticks (min), 143165.577 cycles\n"},
};

TEST(ResultLine, HasTheReportLayoutAndRounding) {
  for (const ResultLineCase& c : RESULT_LINES) {
    EXPECT_EQ(FormatResultLine(c.minimum), c.line) << "minimum " << c.minimum;
  }
}

TEST(ResultLine, CyclesAreTheMinimumTimesTheStoredConstant) {
  // 1/30000 is not exact in binary: 135 times the stored constant lies just above 0.0045 and
  // prints 0.005, while 135 divided by 30000 lies just below it and would print 0.004.
  EXPECT_EQ(FormatResultLine(135), "       135 Ticks (min),  0.005 cycles\n");
}

struct FixedCase {
  double value;
  std::size_t width;
  const char* text;
};

const FixedCase FIXED_POINT[] = {
    {0.0, 6, " 0.000"},
    {0.0005, 1, "0.001"},  // a tie on the fourth decimal goes up
    {0.0004999, 1, "0.000"},
    {9.9995, 6, " 9.999"},      // 9.99949999999999938...: its 18th digit does not round up
    {9.9996, 6, "10.000"},      // the carry reaches the integer part
    {999.9996, 6, "1000.000"},  // and adds an integer digit
    {123456789012.0, 6, "123456789012.000"},
    {1e-300, 6, " 0.000"},
    {0.125, 10, "     0.125"},
};

TEST(FixedPoint, RoundsTwiceHalfUpAndPadsOnTheLeft) {
  for (const FixedCase& c : FIXED_POINT) {
    EXPECT_EQ(FormatFixed3(c.value, c.width), c.text) << "value " << c.value;
  }
}

}  // namespace

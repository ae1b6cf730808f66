#include "driver/report.h"

#include <cfloat>
#include <cstdio>

#include "driver/fixed_point.h"
#include "driver/text_field.h"

// The cycles figure is the product rounded once to double; arithmetic in a wider format (x87)
// would round it twice and change the printed figure for some tick counts.
static_assert(FLT_EVAL_METHOD == 0, "double arithmetic must be done in double precision");

namespace {

void WriteText(std::string_view text) { std::fwrite(text.data(), 1, text.size(), stdout); }

}  // namespace

std::string FormatResultLine(TickCount minimum) {
  constexpr std::size_t TICKS_WIDTH = 10;
  constexpr std::size_t CYCLES_WIDTH = 6;

  const std::string ticks = std::to_string(static_cast<std::int32_t>(minimum));
  const double cycles = static_cast<double>(minimum) * TICKS_TO_CYCLES;
  return RightAligned(ticks, TICKS_WIDTH) + " Ticks (min), " + FormatFixed3(cycles, CYCLES_WIDTH) +
         " cycles\n";
}

void WriteLine(std::string_view text) {
  WriteText(text);
  WriteText("\n");
}

void ReportResult(TickCount minimum) {
  WriteText(FormatResultLine(minimum));
  WriteText("\n");
}

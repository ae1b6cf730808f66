#include "driver/sample_minimum.h"

#include <limits>

TickCount SampleMinimum(TimedKernel kernel, bool subtractBaseline, TickCount baseline) {
  TickCount minimum = std::numeric_limits<TickCount>::max();
  for (std::uint32_t call = 0; call < SAMPLE_COUNT; ++call) {
    TickCount sample = kernel();
    if (subtractBaseline) {
      sample -= baseline;
    }
    if (sample <= minimum) {
      minimum = sample;
    }
  }
  return minimum;
}

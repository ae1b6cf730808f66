// One test's samples: SAMPLE_COUNT calls of a kernel, of which only the smallest result counts.
#pragma once

#include <cstdint>

#include "kernels/kernels.h"

inline constexpr std::uint32_t SAMPLE_COUNT = 1000;

// Calls `kernel` SAMPLE_COUNT times and returns the smallest result. With `subtractBaseline`, every
// sample is first reduced by `baseline` modulo 2^32, so a sample below the baseline wraps to a very
// large value. An equal sample replaces the running minimum.
TickCount SampleMinimum(TimedKernel kernel, bool subtractBaseline, TickCount baseline);

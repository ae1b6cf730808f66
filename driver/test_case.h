// A test of the run: a label printed above its result, and the kernel it samples.
#pragma once

#include <span>
#include <string_view>

#include "kernels/kernels.h"

struct TestCase {
  std::string_view label;
  TimedKernel kernel;
};

// The baseline test. It runs first and its minimum is subtracted from every measured sample.
inline constexpr TestCase BaselineTest{"Empty", KernelEmpty};

// The measured tests, in the order the run measures and reports them.
extern const std::span<const TestCase> MeasuredTests;

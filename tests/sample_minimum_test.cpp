#include "driver/sample_minimum.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/scripted_kernel.h"

namespace {

struct SamplingCase {
  const char* what;
  std::vector<TickCount> samples;
  bool subtractBaseline;
  TickCount baseline;
  TickCount minimum;
};

const SamplingCase SAMPLING[] = {
    {"smallest sample, no subtraction", {700, 500, 900, 600}, false, 400, 500},
    {"smallest net sample", {700, 500, 900, 600}, true, 400, 100},
    {"a sample equal to the baseline nets zero", {700, 400, 900}, true, 400, 0},
    {"samples below the baseline wrap to large values", {398, 399, 397}, true, 400, 0xFFFFFFFD},
    {"a wrapped sample never beats a true one", {399, 1400}, true, 400, 1000},
    {"the largest count is a valid minimum", {0xFFFFFFFF}, false, 0, 0xFFFFFFFF},
    {"counts above 2^31 compare as unsigned", {0x80000000, 0x7FFFFFFF}, false, 0, 0x7FFFFFFF},
};

TEST(SampleMinimum, KeepsTheSmallestSampleNetOfTheBaseline) {
  for (const SamplingCase& c : SAMPLING) {
    SetKernelScript(c.samples);
    EXPECT_EQ(SampleMinimum(ScriptedKernel, c.subtractBaseline, c.baseline), c.minimum) << c.what;
    EXPECT_EQ(ScriptedKernelCalls(), SAMPLE_COUNT) << c.what;
  }
}

// No sample is discarded: the very last call can still set the minimum.
TEST(SampleMinimum, TheLastSampleCounts) {
  std::vector<TickCount> samples(SAMPLE_COUNT, 800);
  samples.back() = 799;
  SetKernelScript(samples);
  EXPECT_EQ(SampleMinimum(ScriptedKernel, true, 100), 699U);
}

}  // namespace

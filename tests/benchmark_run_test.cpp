#include "driver/benchmark_run.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/scripted_kernel.h"

namespace {

TickCount BaselineOf1000() { return 1000; }

std::string CapturedRun(std::span<const TestCase> measured) {
  testing::internal::CaptureStdout();
  RunTests(TestCase{"Empty", BaselineOf1000}, measured);
  std::fflush(stdout);
  return testing::internal::GetCapturedStdout();
}

TEST(RunTests, ReportsTheBaselineThenEachTestNetOfIt) {
  SetKernelScript({1345, 1600, 1345});
  const TestCase measured[] = {
      {"First label", ScriptedKernel},
      {"XCHG eax, [mem]", ScriptedKernel},
  };
  EXPECT_EQ(CapturedRun(measured),
            "Empty\n"
            "      1000 Ticks (min),  0.033 cycles\n"
            "\n"
            "First label\n"
            "       345 Ticks (min),  0.012 cycles\n"
            "\n"
            "XCHG eax, [mem]\n"
            "       345 Ticks (min),  0.012 cycles\n"
            "\n");
}

TEST(RunTests, WithNoMeasuredTestsReportsTheBaselineAlone) {
  EXPECT_EQ(CapturedRun({}),
            "Empty\n"
            "      1000 Ticks (min),  0.033 cycles\n"
            "\n");
}

}  // namespace

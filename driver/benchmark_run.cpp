#include "driver/benchmark_run.h"

#include "driver/report.h"
#include "driver/sample_minimum.h"

void RunTests(const TestCase& baseline, std::span<const TestCase> measured) {
  WriteLine(baseline.label);
  const TickCount baselineTicks = SampleMinimum(baseline.kernel, false, 0);
  ReportResult(baselineTicks);

  for (const TestCase& test : measured) {
    WriteLine(test.label);
    ReportResult(SampleMinimum(test.kernel, true, baselineTicks));
  }
}

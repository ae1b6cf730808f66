// The measured tests, in the order the run measures and reports them.
#include "driver/test_case.h"

const std::span<const TestCase> MeasuredTests{};

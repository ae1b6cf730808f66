// The tests of one run, from the baseline to the last measured test.
#pragma once

#include <span>

#include "driver/test_case.h"

// Runs `baseline` without subtraction, then every test of `measured` in order, each net of the
// baseline's minimum, and writes each test's label line, result line and blank line.
void RunTests(const TestCase& baseline, std::span<const TestCase> measured);

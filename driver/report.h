// The console report: label lines, result lines and the closing prompt.
#pragma once

#include <bit>
#include <cstdint>
#include <string>
#include <string_view>

#include "kernels/kernels.h"

// Multiplies a tick count into ticks per measured instruction, which the report calls cycles.
inline constexpr double TICKS_TO_CYCLES = 1.0 / (LOOP_ITERATIONS * OPS_PER_ITERATION);
static_assert(std::bit_cast<std::uint64_t>(TICKS_TO_CYCLES) == 0x3F0179EC9CBD821EULL,
              "TICKS_TO_CYCLES must be the double nearest to 1/30000");

inline constexpr std::string_view CLOSING_PROMPT = "Press any key to continue...";

// The result line of a test's minimum, newline included, in the layout of
// "%10d Ticks (min), %6.3lf cycles\n": the ticks read as a signed 32-bit integer, the cycles the
// minimum times TICKS_TO_CYCLES, both right-aligned and widening where they do not fit.
std::string FormatResultLine(TickCount minimum);

// Writes `text` and a newline to standard output. Failed writes are ignored.
void WriteLine(std::string_view text);

// Writes the result line of a test's minimum and the blank line after it.
void ReportResult(TickCount minimum);

// The timing kernels: hand-written loops of machine instructions, each bracketed by two reads of
// the time-stamp counter. One call is one sample; it returns the ticks between the two reads.
#pragma once

#include <cstdint>

#include "kernels/loop_shape.h"

// Ticks of the time-stamp counter. Arithmetic on it wraps modulo 2^32.
using TickCount = std::uint32_t;

// The shape of every kernel: no arguments, the ticks of one timed loop as result.
using TimedKernel = TickCount (*)();

inline constexpr std::uint32_t LOOP_ITERATIONS = TICKBENCH_LOOP_ITERATIONS;
inline constexpr std::uint32_t OPS_PER_ITERATION = TICKBENCH_OPS_PER_ITERATION;

extern "C" {
// The baseline: the timed loop with an empty body.
TickCount KernelEmpty();

// The measured kernels, each a chain of OPS_PER_ITERATION instructions per iteration.
TickCount KernelImul();     // IMUL EAX, EAX, 1
TickCount KernelIdiv();     // IDIV EAX, dividing EDX:EAX = 1 by 1
TickCount KernelShlShr1();  // SHL EAX, 1 and SHR EAX, 1 in turn
TickCount KernelShlShr8();  // SHL EAX, 8 and SHR EAX, 8 in turn
TickCount KernelXchgMem();  // XCHG of EAX with a 32-bit word in the kernel's stack frame
}

/* The shape of every timed loop, shared by the assembly kernels and the C++ code. */
#ifndef TICKBENCH_KERNELS_LOOP_SHAPE_H
#define TICKBENCH_KERNELS_LOOP_SHAPE_H

/* Iterations of one kernel call: the start value of the loop counter in ECX. */
#define TICKBENCH_LOOP_ITERATIONS 1000

/* Measured instructions written out in one iteration of a measured kernel's body. */
#define TICKBENCH_OPS_PER_ITERATION 30

#endif

/* The baseline kernel: the frame with an empty body, so its loop is DEC ECX and JNZ alone. It
   loads EAX with 1 like every other kernel, so that its window differs from theirs by their body
   alone. */
#include "kernels/timed_loop_frame.inc"

        .macro EMPTY_BODY
        .endm

        TIMED_KERNEL SYMBOL(KernelEmpty), EMPTY_BODY

        NO_EXECUTABLE_STACK

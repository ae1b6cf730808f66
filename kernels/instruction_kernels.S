/* The measured kernels: the shared frame, each with its set-up and a body of
   TICKBENCH_OPS_PER_ITERATION instructions written out one after another. Every instruction reads
   the register (for XCHG, the register and the word) that the one before it wrote, so a body is
   one dependent chain, and the loop's DEC and JNZ, which touch neither EAX nor EDX, let the chain
   run on into the next iteration. Every loop starts with EAX = 1. */
#include "kernels/timed_loop_frame.inc"

/* 1 * 1 = 1: EAX stays 1. */
        .macro IMUL_BODY
        .rept TICKBENCH_OPS_PER_ITERATION
        imul eax, eax, 1
        .endr
        .endm

/* EDX:EAX = 1 divided by EAX = 1: quotient 1 to EAX, remainder 0 to EDX, so no division can
   fault. EDX is cleared once, before the loop. */
        .macro IDIV_SETUP
        {load} xor edx, edx
        .endm

        .macro IDIV_BODY
        .rept TICKBENCH_OPS_PER_ITERATION
        idiv eax
        .endr
        .endm

/* EAX alternates between 2 and 1. GNU as writes the shift-by-one opcode (D1) for a count of 1. */
        .macro SHL_SHR_1_BODY
        .rept TICKBENCH_OPS_PER_ITERATION / 2
        shl eax, 1
        shr eax, 1
        .endr
        .endm

/* EAX alternates between 256 and 1. */
        .macro SHL_SHR_8_BODY
        .rept TICKBENCH_OPS_PER_ITERATION / 2
        shl eax, 8
        shr eax, 8
        .endr
        .endm

/* EAX and the kernel's stack word trade values an even number of times per iteration, so each
   iteration ends as it began. The word is not initialised: its value plays no part. An exchange
   with memory is locked by the processor itself; no LOCK prefix is written. */
        .macro XCHG_MEM_BODY
        .rept TICKBENCH_OPS_PER_ITERATION
        xchg KERNEL_WORD, eax
        .endr
        .endm

        TIMED_KERNEL SYMBOL(KernelImul), IMUL_BODY
        TIMED_KERNEL SYMBOL(KernelIdiv), IDIV_BODY, IDIV_SETUP
        TIMED_KERNEL SYMBOL(KernelShlShr1), SHL_SHR_1_BODY
        TIMED_KERNEL SYMBOL(KernelShlShr8), SHL_SHR_8_BODY
        TIMED_KERNEL SYMBOL(KernelXchgMem), XCHG_MEM_BODY

        NO_EXECUTABLE_STACK

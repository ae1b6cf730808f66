/*
 * uint32_t CallWithSentinels(TimedKernel kernel, const uintptr_t* sentinels, RegisterCheck* check)
 *
 * Loads every register that the calling convention makes the callee preserve with the values of
 * `sentinels`, calls `kernel`, and stores what those registers hold afterwards in `check`, along
 * with the stack pointer just before and just after the call. Returns the kernel's result.
 */
#include "kernels/timed_loop_frame.inc"

        .text
        .globl SYMBOL(CallWithSentinels)
SYMBOL(CallWithSentinels):
#if defined(_WIN64)
        /* rcx: kernel, rdx: sentinels, r8: check. Preserved: rbx, rbp, rdi, rsi, r12 to r15. */
        push rbx
        push rbp
        push rdi
        push rsi
        push r12
        push r13
        push r14
        push r15
        push r8                         /* check; the stack is 16-byte aligned again */
        sub rsp, 32                     /* the callee's shadow space */
        mov rax, rcx
        mov rbx, [rdx + 0]
        mov rbp, [rdx + 8]
        mov rdi, [rdx + 16]
        mov rsi, [rdx + 24]
        mov r12, [rdx + 32]
        mov r13, [rdx + 40]
        mov r14, [rdx + 48]
        mov r15, [rdx + 56]
        mov [r8 + 64], rsp
        call rax
        mov r8, [rsp + 32]
        mov [r8 + 72], rsp
        mov [r8 + 0], rbx
        mov [r8 + 8], rbp
        mov [r8 + 16], rdi
        mov [r8 + 24], rsi
        mov [r8 + 32], r12
        mov [r8 + 40], r13
        mov [r8 + 48], r14
        mov [r8 + 56], r15
        add rsp, 32
        pop r8
        pop r15
        pop r14
        pop r13
        pop r12
        pop rsi
        pop rdi
        pop rbp
        pop rbx
        ret
#elif defined(__x86_64__)
        /* System V: rdi: kernel, rsi: sentinels, rdx: check. Preserved: rbx, rbp, r12 to r15. */
        push rbx
        push rbp
        push r12
        push r13
        push r14
        push r15
        push rdx                        /* check; the stack is 16-byte aligned again */
        mov rax, rdi
        mov rbx, [rsi + 0]
        mov rbp, [rsi + 8]
        mov r12, [rsi + 16]
        mov r13, [rsi + 24]
        mov r14, [rsi + 32]
        mov r15, [rsi + 40]
        mov [rdx + 48], rsp
        call rax
        mov rdx, [rsp]
        mov [rdx + 56], rsp
        mov [rdx + 0], rbx
        mov [rdx + 8], rbp
        mov [rdx + 16], r12
        mov [rdx + 24], r13
        mov [rdx + 32], r14
        mov [rdx + 40], r15
        pop rdx
        pop r15
        pop r14
        pop r13
        pop r12
        pop rbp
        pop rbx
        ret
#else
        /* cdecl: arguments on the stack. Preserved: ebx, esi, edi, ebp. */
        push ebx
        push esi
        push edi
        push ebp
        mov eax, [esp + 20]
        mov edx, [esp + 24]
        mov ecx, [esp + 28]
        push ecx                        /* check */
        mov ebx, [edx + 0]
        mov esi, [edx + 4]
        mov edi, [edx + 8]
        mov ebp, [edx + 12]
        mov [ecx + 16], esp
        call eax
        mov ecx, [esp]
        mov [ecx + 20], esp
        mov [ecx + 0], ebx
        mov [ecx + 4], esi
        mov [ecx + 8], edi
        mov [ecx + 12], ebp
        pop ecx
        pop ebp
        pop edi
        pop esi
        pop ebx
        ret
#endif

        NO_EXECUTABLE_STACK

// The measured tests, in the order the run measures and reports them.
#include "driver/test_case.h"

namespace {

constexpr TestCase ROWS[] = {
    {"IMUL eax, 1", KernelImul},
    {"IDIV eax, 1", KernelIdiv},
    {"SHL eax, 1 / SHR eax, 1", KernelShlShr1},
    {"SHL eax, 8 / SHR eax, 8", KernelShlShr8},
    {"XCHG eax, [mem]", KernelXchgMem},
};

}  // namespace

const std::span<const TestCase> MeasuredTests{ROWS};

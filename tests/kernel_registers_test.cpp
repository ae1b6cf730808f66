// Every kernel leaves the registers that its callers rely on as it found them.
#include <gtest/gtest.h>

#include <cstdint>

#include "driver/test_case.h"

namespace {

#if defined(_WIN64)
constexpr const char* PRESERVED_NAMES[] = {"rbx", "rbp", "rdi", "rsi", "r12", "r13", "r14", "r15"};
#elif defined(__x86_64__)
constexpr const char* PRESERVED_NAMES[] = {"rbx", "rbp", "r12", "r13", "r14", "r15"};
#else
constexpr const char* PRESERVED_NAMES[] = {"ebx", "esi", "edi", "ebp"};
#endif
constexpr std::size_t PRESERVED_COUNT = std::size(PRESERVED_NAMES);

struct RegisterCheck {
  std::uintptr_t preserved[PRESERVED_COUNT];
  std::uintptr_t stackBefore;
  std::uintptr_t stackAfter;
};

}  // namespace

extern "C" TickCount CallWithSentinels(TimedKernel kernel, const std::uintptr_t* sentinels,
                                       RegisterCheck* check);

namespace {

void ExpectPreserved(std::string_view name, TimedKernel kernel) {
  std::uintptr_t sentinels[PRESERVED_COUNT];
  for (std::size_t i = 0; i < PRESERVED_COUNT; ++i) {
    sentinels[i] = static_cast<std::uintptr_t>(0x5A5A5A5A5A5A5A50ULL + i * 0x0101010101010101ULL);
  }
  RegisterCheck check{};
  CallWithSentinels(kernel, sentinels, &check);
  for (std::size_t i = 0; i < PRESERVED_COUNT; ++i) {
    EXPECT_EQ(check.preserved[i], sentinels[i]) << name << " changed " << PRESERVED_NAMES[i];
  }
  EXPECT_EQ(check.stackAfter, check.stackBefore) << name << " moved the stack pointer";
}

TEST(KernelRegisters, EveryKernelPreservesTheCallersRegisters) {
  ExpectPreserved("KernelEmpty", BaselineTest.kernel);
  for (const TestCase& test : MeasuredTests) {
    ExpectPreserved(test.label, test.kernel);
  }
}

}  // namespace

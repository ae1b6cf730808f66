// The kernels' machine code, read from memory: everything between the two RDTSCs, byte for byte.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "kernels/kernels.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint8_t RDTSC[] = {0x0F, 0x31};
constexpr std::size_t SEARCH_LIMIT = 1024;

#if defined(__x86_64__)
const Bytes DEC_ECX = {0xFF, 0xC9};
#else
const Bytes DEC_ECX = {0x49};
#endif

Bytes operator+(Bytes left, const Bytes& right) {
  left.insert(left.end(), right.begin(), right.end());
  return left;
}

Bytes Repeated(const Bytes& pattern, std::uint32_t times) {
  Bytes result;
  for (std::uint32_t i = 0; i < times; ++i) {
    result = result + pattern;
  }
  return result;
}

// The expected bytes between the two reads: the frame around `setup` and `body`.
Bytes ExpectedWindow(const Bytes& setup, const Bytes& body) {
  const Bytes start = {
      0x50,                          // PUSH EAX (RAX): the start value
      0xB9, 0xE8, 0x03, 0x00, 0x00,  // MOV ECX, 1000
      0xB8, 0x01, 0x00, 0x00, 0x00,  // MOV EAX, 1
  };
  const Bytes loop = body + DEC_ECX;
  const auto back = static_cast<std::uint8_t>(-static_cast<int>(loop.size() + 2));
  return start + setup + loop + Bytes{0x75, back};  // JNZ to the first byte of the body
}

struct KernelCode {
  Bytes window;  // after the first RDTSC, up to the second
  Bytes tail;    // the three bytes after the second RDTSC
};

std::size_t FindRdtsc(const std::uint8_t* code, std::size_t from) {
  for (std::size_t i = from; i + 1 < SEARCH_LIMIT; ++i) {
    if (code[i] == RDTSC[0] && code[i + 1] == RDTSC[1]) {
      return i;
    }
  }
  return SEARCH_LIMIT;
}

KernelCode ReadKernelCode(TimedKernel kernel) {
  const auto* code = reinterpret_cast<const std::uint8_t*>(kernel);
  const std::size_t first = FindRdtsc(code, 0);
  const std::size_t second = FindRdtsc(code, first + 2);
  if (second >= SEARCH_LIMIT) {
    return {};
  }
  return {Bytes(code + first + 2, code + second), Bytes(code + second + 2, code + second + 5)};
}

struct KernelEncoding {
  const char* name;
  TimedKernel kernel;
  Bytes setup;
  Bytes body;
};

const Bytes IMUL_EAX_EAX_1 = {0x6B, 0xC0, 0x01};
const Bytes IDIV_EAX = {0xF7, 0xF8};
const Bytes SHL_EAX_1 = {0xD1, 0xE0};
const Bytes SHR_EAX_1 = {0xD1, 0xE8};
const Bytes SHL_EAX_8 = {0xC1, 0xE0, 0x08};
const Bytes SHR_EAX_8 = {0xC1, 0xE8, 0x08};
const Bytes XCHG_WORD_EAX = {0x87, 0x45, 0xFC};  // the word at [frame pointer - 4]
const Bytes XOR_EDX_EDX = {0x33, 0xD2};

const KernelEncoding KERNELS[] = {
    {"KernelEmpty", KernelEmpty, {}, {}},
    {"KernelImul", KernelImul, {}, Repeated(IMUL_EAX_EAX_1, OPS_PER_ITERATION)},
    {"KernelIdiv", KernelIdiv, XOR_EDX_EDX, Repeated(IDIV_EAX, OPS_PER_ITERATION)},
    {"KernelShlShr1", KernelShlShr1, {}, Repeated(SHL_EAX_1 + SHR_EAX_1, OPS_PER_ITERATION / 2)},
    {"KernelShlShr8", KernelShlShr8, {}, Repeated(SHL_EAX_8 + SHR_EAX_8, OPS_PER_ITERATION / 2)},
    {"KernelXchgMem", KernelXchgMem, {}, Repeated(XCHG_WORD_EAX, OPS_PER_ITERATION)},
};

TEST(KernelCode, EveryKernelIsItsFrameSetUpAndBodyExactly) {
  for (const KernelEncoding& k : KERNELS) {
    const KernelCode code = ReadKernelCode(k.kernel);
    EXPECT_EQ(code.window, ExpectedWindow(k.setup, k.body)) << k.name;
    EXPECT_EQ(code.tail, (Bytes{0x59, 0x2B, 0xC1})) << k.name << ": POP ECX, SUB EAX, ECX";
  }
}

// The baseline's window spelled out, which also pins down the frame that ExpectedWindow builds.
TEST(KernelCode, TheEmptyLoopIsDecAndJnzAlone) {
#if defined(__x86_64__)
  const Bytes window = {0x50, 0xB9, 0xE8, 0x03, 0x00, 0x00, 0xB8, 0x01,
                        0x00, 0x00, 0x00, 0xFF, 0xC9, 0x75, 0xFC};
#else
  const Bytes window = {0x50, 0xB9, 0xE8, 0x03, 0x00, 0x00, 0xB8,
                        0x01, 0x00, 0x00, 0x00, 0x49, 0x75, 0xFD};
#endif
  EXPECT_EQ(ReadKernelCode(KernelEmpty).window, window);
}

}  // namespace

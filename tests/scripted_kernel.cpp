#include "tests/scripted_kernel.h"

#include <utility>

namespace {

std::vector<TickCount> g_script;
std::size_t g_calls = 0;

}  // namespace

void SetKernelScript(std::vector<TickCount> results) {
  g_script = std::move(results);
  g_calls = 0;
}

TickCount ScriptedKernel() { return g_script[g_calls++ % g_script.size()]; }

std::size_t ScriptedKernelCalls() { return g_calls; }

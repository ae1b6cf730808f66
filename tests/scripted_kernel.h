// A stand-in kernel whose results follow a script, for testing the driver without timing.
#pragma once

#include <cstddef>
#include <vector>

#include "kernels/kernels.h"

// Sets the results that ScriptedKernel returns, in order and then over again.
void SetKernelScript(std::vector<TickCount> results);

// Returns the next result of the script.
TickCount ScriptedKernel();

// Number of calls of ScriptedKernel since the last SetKernelScript.
std::size_t ScriptedKernelCalls();

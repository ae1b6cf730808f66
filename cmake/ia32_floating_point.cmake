# The cycles figure must be the product rounded once to double. x87 arithmetic rounds it to its
# 64-bit significand first and then again to double, which changes the printed figure for some
# tick counts, so the 32-bit build does its floating point in SSE2 registers.
add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-msse2> $<$<COMPILE_LANGUAGE:CXX>:-mfpmath=sse>)

# Runs the 32-bit tests under qemu-i386 where this machine's kernel cannot execute 32-bit
# programs itself, and natively everywhere else.
try_compile(TICKBENCH_PROBE_BUILT
  SOURCE_FROM_CONTENT probe.cpp "int main() { return 0; }"
  COPY_FILE ${CMAKE_BINARY_DIR}/ia32_probe)
set(TICKBENCH_PROBE_RESULT "not built")
if(TICKBENCH_PROBE_BUILT)
  execute_process(COMMAND ${CMAKE_BINARY_DIR}/ia32_probe
    RESULT_VARIABLE TICKBENCH_PROBE_RESULT OUTPUT_QUIET ERROR_QUIET)
endif()
if(NOT TICKBENCH_PROBE_RESULT EQUAL 0)
  find_program(TICKBENCH_QEMU_I386 qemu-i386 REQUIRED)
  message(STATUS "32-bit programs do not run natively here; running them under ${TICKBENCH_QEMU_I386}")
  set(CMAKE_CROSSCOMPILING_EMULATOR ${TICKBENCH_QEMU_I386})
endif()

# The Windows x64 programs run here under Wine's 64-bit loader, in a Wine prefix of the build's
# own that is set up once, at configure time, so that tests never race to create one. Windows x86
# programs cannot run on this host (32-bit Wine is not installed), so their tests are not run
# but their machine code is checked from the executable.
set(TICKBENCH_CAN_RUN_PROGRAMS OFF)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  find_program(TICKBENCH_WINE64 wine64 PATHS /usr/lib/wine)
  if(TICKBENCH_WINE64)
    set(TICKBENCH_WINE_ENVIRONMENT WINEDEBUG=-all WINEPREFIX=${CMAKE_BINARY_DIR}/wine-prefix
        "WINEDLLOVERRIDES=mscoree,mshtml=")
    if(NOT EXISTS ${CMAKE_BINARY_DIR}/wine-prefix/system.reg)
      message(STATUS "Setting up a Wine prefix for the tests")
      execute_process(COMMAND env ${TICKBENCH_WINE_ENVIRONMENT} ${TICKBENCH_WINE64} wineboot --init
        OUTPUT_QUIET ERROR_QUIET TIMEOUT 300)
    endif()
    set(CMAKE_CROSSCOMPILING_EMULATOR env ${TICKBENCH_WINE_ENVIRONMENT} ${TICKBENCH_WINE64})
    set(TICKBENCH_CAN_RUN_PROGRAMS ON)
  endif()
endif()

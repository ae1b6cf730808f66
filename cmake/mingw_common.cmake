# What both MinGW-w64 toolchains share: the compilers of TICKBENCH_MINGW_TRIPLET (the POSIX
# threads variant, which GoogleTest needs for std::mutex), and static
# linking of the GCC runtime, so that tickbench.exe needs nothing but system DLLs.
set(CMAKE_C_COMPILER ${TICKBENCH_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TICKBENCH_MINGW_TRIPLET}-g++-posix)
set(CMAKE_ASM_COMPILER ${TICKBENCH_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_RC_COMPILER ${TICKBENCH_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TICKBENCH_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

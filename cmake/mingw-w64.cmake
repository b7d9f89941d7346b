# Cross-build for 64-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64-posix); the
# tests run under Wine (wine64). Use with -DBRINDLE_GUI=OFF: there is no Qt for this target.
#   cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DBRINDLE_GUI=OFF
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# GCC's interprocedural register allocation assumes a called template instance clobbers only
# the registers its own copy of it does; on PE-COFF the linker may keep another translation
# unit's copy of that COMDAT function, which clobbers more, and callers then read garbage (seen
# as wrong token lengths in the tokenizer). Allocating registers per function avoids it.
set(CMAKE_C_FLAGS_INIT "-fno-ipa-ra")
set(CMAKE_CXX_FLAGS_INIT "-fno-ipa-ra")

# The executables carry their C++ runtime, so they run without MinGW's DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# CTest starts the test programs through Wine.
find_program(BRINDLE_WINE64 wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
find_program(BRINDLE_WINE64 wine64)
if(BRINDLE_WINE64)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${BRINDLE_WINE64})
endif()

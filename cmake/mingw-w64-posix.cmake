# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (the -posix compilers:
# the win32-threads variant has no std::thread or std::mutex). Programs built with it
# run under wine64 through wine-run.sh, which CMake and CTest use as the emulator.
#
# The runtime (libgcc, libstdc++, winpthread and the stack protector's libssp) is
# linked statically, so that the programs and DLLs need no MinGW DLL beside them.
# This file can be chained onto Qt's qt.toolchain.cmake as QT_CHAINLOAD_TOOLCHAIN_FILE.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(PADCONFIG_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${PADCONFIG_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PADCONFIG_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${PADCONFIG_MINGW_TRIPLET}-windres)

# Libraries, headers and CMake packages come from the MinGW root only, never from the
# build machine's /usr; its programs (ninja, python, the Linux tools) are the machine's.
set(CMAKE_FIND_ROOT_PATH /usr/${PADCONFIG_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# pkg-config must not hand the Linux libraries' flags to the cross compiler.
set(ENV{PKG_CONFIG_LIBDIR} /usr/${PADCONFIG_MINGW_TRIPLET}/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)

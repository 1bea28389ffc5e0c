# Cross-builds for 64-bit Windows with Debian's MinGW-w64 compilers
# (g++-mingw-w64-x86-64-posix) and runs the results under wine (wine64).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
# Libraries built for Windows by hand (GMP: .ci/build-gmp) are handed over
# in CMAKE_PREFIX_PATH, and each such prefix is a root of its own: only
# what lies under a root is searched.
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# pkg-config must not answer with the build machine's Linux libraries: it
# sees only the .pc files of the prefixes in CMAKE_PREFIX_PATH, which
# CMake adds to its search itself.
set(ENV{PKG_CONFIG_LIBDIR} /usr/x86_64-w64-mingw32/lib/pkgconfig)

# Every program static, tests and tools too: wine then needs none of the
# compiler's DLLs (libstdc++, libgcc, winpthread) beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# Debian's wine64 package puts no wine64 command on PATH, only
# /usr/lib/wine/wine64. The prefix wine keeps its Windows in lives in the
# build folder, with wine's debug chatter off, without the .NET and HTML
# runtimes it would otherwise offer to install when making it, and without
# the menu entries it would write into the user's desktop.
find_program(MATINV_WINE NAMES wine64 wine HINTS /usr/lib/wine)
if(MATINV_WINE)
  set(MATINV_WINEPREFIX ${CMAKE_BINARY_DIR}/wine)
  set(CMAKE_CROSSCOMPILING_EMULATOR env WINEPREFIX=${MATINV_WINEPREFIX} WINEDEBUG=-all
      WINEDLLOVERRIDES=mscoree,mshtml,winemenubuilder.exe= ${MATINV_WINE})
endif()

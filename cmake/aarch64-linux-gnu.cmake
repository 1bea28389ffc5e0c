# Cross-builds for 64-bit Arm Linux with Debian's cross compilers
# (g++-aarch64-linux-gnu) and runs the results under qemu-user, pointed at
# the cross C library's loader and libraries.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
# The libraries matinv links (GMP, libedit and its terminal library) come
# from Debian's multiarch packages (libgmp-dev:arm64 ...), which live in
# /usr/lib/aarch64-linux-gnu and /usr/include/aarch64-linux-gnu, outside
# the cross compiler's own tree: / is a root too, and CMake, which takes
# the library architecture from the compiler, looks in the aarch64 folders
# beneath it.
set(CMAKE_FIND_ROOT_PATH /usr/aarch64-linux-gnu /)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# A -L/usr/lib/aarch64-linux-gnu that a library brings would otherwise
# take libc and libm from the arm64 C library there, while the start-up
# files come from the cross one: the cross folder is searched first.
set(CMAKE_EXE_LINKER_FLAGS_INIT -L/usr/aarch64-linux-gnu/lib)
# pkg-config would otherwise answer with the build machine's x86-64
# libraries.
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/aarch64-linux-gnu/pkgconfig:/usr/share/pkgconfig)
# The loader comes from the cross C library under -L, and so must every
# library it loads: with Debian's arm64 C library installed beside it (the
# multiarch -dev packages above bring it), /etc/ld.so.cache would hand the
# cross loader that other build of libc and libstdc++, and a loader and a
# libc from different builds make programs hang in fork and signals.
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64 -L /usr/aarch64-linux-gnu
    -E LD_LIBRARY_PATH=/usr/aarch64-linux-gnu/lib)

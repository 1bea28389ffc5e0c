# Scripts start matinv thousands of times, and a dynamically linked C++
# program spends most of a short session in the dynamic loader: a static
# link starts in about a third of the instructions of even a plain C
# program linked to the shared C library.
#
# Not every toolchain can link a C++ program statically (macOS, systems
# without the static C library, sanitizer runtimes), so a trial link
# decides, and the build says once when it falls back to a dynamic link.
include(CheckCXXSourceCompiles)

set(matinv_static_blocker "")
if(NOT MATINV_STATIC)
  set(matinv_static_blocker "MATINV_STATIC is OFF")
elseif(MATINV_SANITIZE OR MATINV_FUZZ OR CMAKE_CXX_FLAGS MATCHES "-fsanitize")
  set(matinv_static_blocker "sanitizer runtimes cannot be linked statically")
elseif(MATINV_HAVE_LINE_EDITING AND NOT MATINV_STATIC_LINE_EDITING_READY)
  set(matinv_static_blocker "libedit.a or its terminal library (libtinfo.a) was not found")
else()
  set(CMAKE_REQUIRED_LINK_OPTIONS -static)
  set(CMAKE_REQUIRED_QUIET ON)
  check_cxx_source_compiles([[
    #include <iostream>
    int main() { std::cout << 1.5 << std::endl; }
  ]] MATINV_STATIC_LINK_WORKS)
  unset(CMAKE_REQUIRED_LINK_OPTIONS)
  unset(CMAKE_REQUIRED_QUIET)
  if(NOT MATINV_STATIC_LINK_WORKS)
    set(matinv_static_blocker "a trial static link of a C++ program failed")
  endif()
endif()

if(matinv_static_blocker STREQUAL "")
  target_link_options(matinv PRIVATE -static)
  # libedit's static archives instead of its shared library (see
  # MatinvLineEditing.cmake).
  set_target_properties(matinv PROPERTIES MATINV_STATIC_PROGRAM ON)
  # llvm-strip 14, which CMake picks beside clang, refuses a static glibc
  # program ("section .rela.plt is not a symbol table"), so the package
  # would ship it unstripped; binutils' strip handles it.
  if(CMAKE_STRIP MATCHES "llvm-strip" AND NOT CMAKE_CROSSCOMPILING)
    find_program(MATINV_BINUTILS_STRIP strip)
    if(MATINV_BINUTILS_STRIP)
      set(CMAKE_STRIP ${MATINV_BINUTILS_STRIP})
    endif()
  endif()
elseif(NOT matinv_static_blocker STREQUAL "${MATINV_STATIC_REPORTED}")
  message(STATUS "matinv is linked dynamically: ${matinv_static_blocker}")
  set(MATINV_STATIC_REPORTED "${matinv_static_blocker}" CACHE INTERNAL "")
endif()

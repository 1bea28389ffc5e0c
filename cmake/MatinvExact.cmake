# Exact rational arithmetic comes from GMP, used through its C interface
# only: libgmpxx is built against one C++ library (libstdc++ on Debian), so
# the clang + libc++ build could not link it.
#
#   MATINV_EXACT=AUTO (default)  use GMP when it is found
#   MATINV_EXACT=ON              GMP is required; configure fails without it
#   MATINV_EXACT=OFF             never use it
#
# When GMP is used, MATINV_HAVE_EXACT is TRUE and the imported target
# matinv::gmp carries its include folder, its library and the definition
# MATINV_EXACT_ARITHMETIC=1 to whatever links it.
set(MATINV_EXACT AUTO CACHE STRING "Exact arithmetic with GMP: AUTO (when found), ON (required) or OFF")
set_property(CACHE MATINV_EXACT PROPERTY STRINGS AUTO ON OFF)

set(MATINV_HAVE_EXACT FALSE)
if(NOT MATINV_EXACT)
  return()
endif()

# The host's pkg-config describes the host's GMP: a cross build may ask it
# only when it has been pointed at the target's .pc files.
if(NOT CMAKE_CROSSCOMPILING OR DEFINED ENV{PKG_CONFIG_LIBDIR} OR DEFINED ENV{PKG_CONFIG_SYSROOT_DIR})
  find_package(PkgConfig QUIET)
  if(PKG_CONFIG_FOUND)
    pkg_check_modules(MATINV_PC_GMP QUIET gmp)
    if(MATINV_PC_GMP_FOUND)
      find_path(MATINV_GMP_INCLUDE_DIR gmp.h HINTS ${MATINV_PC_GMP_INCLUDE_DIRS})
      # The static program needs libgmp.a, so the archive is preferred.
      find_library(MATINV_GMP_LIBRARY NAMES libgmp.a gmp HINTS ${MATINV_PC_GMP_LIBRARY_DIRS})
    endif()
  endif()
endif()
# Otherwise a prefix holding include/gmp.h and lib/libgmp.a named in
# CMAKE_PREFIX_PATH, taken as it is: a cross toolchain would look for it
# under its find root instead (the MinGW build's GMP is such a prefix).
if(CMAKE_PREFIX_PATH AND (NOT MATINV_GMP_INCLUDE_DIR OR NOT MATINV_GMP_LIBRARY))
  find_path(MATINV_GMP_INCLUDE_DIR gmp.h PATHS ${CMAKE_PREFIX_PATH} PATH_SUFFIXES include
    NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
  find_library(MATINV_GMP_LIBRARY NAMES libgmp.a gmp PATHS ${CMAKE_PREFIX_PATH} PATH_SUFFIXES lib
    NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
endif()
# Then the usual places, a toolchain's find roots included.
if(NOT MATINV_GMP_INCLUDE_DIR OR NOT MATINV_GMP_LIBRARY)
  find_path(MATINV_GMP_INCLUDE_DIR gmp.h)
  find_library(MATINV_GMP_LIBRARY NAMES libgmp.a gmp)
endif()

# Debian's multiarch packages (libgmp-dev:arm64) live outside a cross
# toolchain's find root, in folders named for the target alone.
if(CMAKE_CROSSCOMPILING AND CMAKE_LIBRARY_ARCHITECTURE AND
   (NOT MATINV_GMP_INCLUDE_DIR OR NOT MATINV_GMP_LIBRARY))
  find_path(MATINV_GMP_INCLUDE_DIR gmp.h PATHS /usr/include/${CMAKE_LIBRARY_ARCHITECTURE}
    NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
  find_library(MATINV_GMP_LIBRARY NAMES libgmp.a gmp PATHS /usr/lib/${CMAKE_LIBRARY_ARCHITECTURE}
    NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
endif()

if(MATINV_GMP_INCLUDE_DIR AND MATINV_GMP_LIBRARY)
  set(MATINV_HAVE_EXACT TRUE)
  add_library(matinv::gmp UNKNOWN IMPORTED)
  set_target_properties(matinv::gmp PROPERTIES
    IMPORTED_LOCATION ${MATINV_GMP_LIBRARY}
    INTERFACE_INCLUDE_DIRECTORIES ${MATINV_GMP_INCLUDE_DIR}
    INTERFACE_COMPILE_DEFINITIONS MATINV_EXACT_ARITHMETIC=1)
elseif(MATINV_EXACT STREQUAL "ON")
  message(FATAL_ERROR
    "MATINV_EXACT=ON, but GMP (gmp.h and libgmp) was not found. Install it "
    "(Debian, Ubuntu: apt-get install libgmp-dev; Fedora: dnf install gmp-devel; "
    "macOS: brew install gmp) or point CMAKE_PREFIX_PATH at a prefix holding "
    "include/gmp.h and lib/libgmp.a, or configure with -DMATINV_EXACT=AUTO.")
elseif(NOT MATINV_EXACT_REPORTED)
  message(STATUS "GMP not found: matinv is built without exact arithmetic (-DMATINV_EXACT=ON insists on it)")
  set(MATINV_EXACT_REPORTED TRUE CACHE INTERNAL "")
endif()

# The line editor at a terminal: libedit (BSD license), through its own
# interface in <histedit.h>, which the same package installs beside the
# readline one in <editline/readline.h>.
#
# MATINV_LINE_EDITING: AUTO uses it where it is found and says once when it
# is not; ON requires it; OFF never uses it. Windows consoles edit lines
# themselves, so it is never looked for there.
#
# Found, it is the interface library matinv_line_editing, which the io layer
# links, and MATINV_HAVE_LINE_EDITING is TRUE, so that the package can list
# the license. A program linked statically takes the archives, with the
# terminal library and the BSD functions that libedit.a calls; one linked
# dynamically takes the shared library, which brings its own.
set(MATINV_LINE_EDITING AUTO CACHE STRING
  "Edit lines typed at a terminal with libedit: AUTO (when found), ON (required) or OFF")
set_property(CACHE MATINV_LINE_EDITING PROPERTY STRINGS AUTO ON OFF)

set(matinv_line_editing_missing "")
if(WIN32 OR MATINV_LINE_EDITING STREQUAL "OFF")
  set(matinv_line_editing_missing "off")
else()
  # Host pkg-config knows only host packages: a cross build asks it only
  # where it has been pointed at the target's .pc files.
  if(NOT CMAKE_CROSSCOMPILING OR DEFINED ENV{PKG_CONFIG_LIBDIR})
    find_package(PkgConfig QUIET)
    if(PKG_CONFIG_FOUND)
      pkg_check_modules(MATINV_PC_LIBEDIT QUIET libedit)
    endif()
  endif()
  find_path(MATINV_LIBEDIT_INCLUDE_DIR histedit.h HINTS ${MATINV_PC_LIBEDIT_INCLUDE_DIRS})
  find_library(MATINV_LIBEDIT_LIBRARY edit HINTS ${MATINV_PC_LIBEDIT_LIBRARY_DIRS})
  # For a static program: each archive that libedit.a needs, where found.
  find_library(MATINV_LIBEDIT_ARCHIVE libedit.a HINTS ${MATINV_PC_LIBEDIT_LIBRARY_DIRS})
  find_library(MATINV_TERMINFO_ARCHIVE NAMES libtinfo.a libncurses.a libtermcap.a
    HINTS ${MATINV_PC_LIBEDIT_LIBRARY_DIRS})
  find_library(MATINV_LIBBSD_ARCHIVE libbsd.a HINTS ${MATINV_PC_LIBEDIT_LIBRARY_DIRS})
  find_library(MATINV_LIBMD_ARCHIVE libmd.a HINTS ${MATINV_PC_LIBEDIT_LIBRARY_DIRS})
  if(NOT MATINV_LIBEDIT_INCLUDE_DIR OR NOT MATINV_LIBEDIT_LIBRARY)
    set(matinv_line_editing_missing "libedit (histedit.h and libedit) was not found")
  endif()
endif()

if(matinv_line_editing_missing STREQUAL "")
  set(matinv_static_archives ${MATINV_LIBEDIT_ARCHIVE} ${MATINV_TERMINFO_ARCHIVE})
  foreach(archive MATINV_LIBBSD_ARCHIVE MATINV_LIBMD_ARCHIVE)
    if(${archive})
      list(APPEND matinv_static_archives ${${archive}})
    endif()
  endforeach()
  add_library(matinv_line_editing INTERFACE)
  target_include_directories(matinv_line_editing SYSTEM INTERFACE ${MATINV_LIBEDIT_INCLUDE_DIR})
  target_compile_definitions(matinv_line_editing INTERFACE MATINV_LINE_EDITING=1)
  # MATINV_STATIC_PROGRAM is set on the program that MatinvStaticLink.cmake
  # links statically; this expression asks the program being linked.
  target_link_libraries(matinv_line_editing INTERFACE
    "$<IF:$<BOOL:$<TARGET_PROPERTY:MATINV_STATIC_PROGRAM>>,${matinv_static_archives},${MATINV_LIBEDIT_LIBRARY}>")
  set(MATINV_HAVE_LINE_EDITING TRUE CACHE INTERNAL "libedit is linked into matinv")
  set(MATINV_LINE_EDITING_REPORTED "" CACHE INTERNAL "")
  set(MATINV_STATIC_LINE_EDITING_READY FALSE)
  if(MATINV_LIBEDIT_ARCHIVE AND MATINV_TERMINFO_ARCHIVE)
    set(MATINV_STATIC_LINE_EDITING_READY TRUE)
  endif()
else()
  set(MATINV_HAVE_LINE_EDITING FALSE CACHE INTERNAL "libedit is linked into matinv")
  if(MATINV_LINE_EDITING STREQUAL "ON")
    message(FATAL_ERROR "MATINV_LINE_EDITING is ON but ${matinv_line_editing_missing}: "
      "install libedit-dev (Debian), or configure with -DMATINV_LINE_EDITING=OFF")
  endif()
  if(NOT matinv_line_editing_missing STREQUAL "off" AND
     NOT matinv_line_editing_missing STREQUAL "${MATINV_LINE_EDITING_REPORTED}")
    message(STATUS "matinv is built without a line editor: ${matinv_line_editing_missing}")
    set(MATINV_LINE_EDITING_REPORTED "${matinv_line_editing_missing}" CACHE INTERNAL "")
  endif()
endif()

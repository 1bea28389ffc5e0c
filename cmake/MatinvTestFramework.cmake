# Decides whether the tests are built and where GoogleTest comes from.
# MATINV_TESTS=OFF, the default, builds the program alone; ON insists on
# GoogleTest, so that asking for the tests on a machine without it fails
# instead of building the program alone; AUTO builds them when it is found.
#
# MATINV_GTEST_SOURCE_DIR builds GoogleTest from its sources inside this
# build instead. The libc++ and cross builds need that: a prebuilt libgtest
# is compiled against one standard library for one architecture (Debian's
# is libstdc++ on the host), and its symbols do not link into a program
# built against another. Debian's libgtest-dev ships the sources in
# /usr/src/googletest.
set(MATINV_GTEST_SOURCE_DIR "" CACHE PATH "Build GoogleTest from these sources instead of finding an installed one")

set(MATINV_BUILD_TESTS OFF)
if(NOT MATINV_TESTS)
  return()
endif()

if(MATINV_GTEST_SOURCE_DIR)
  if(NOT EXISTS "${MATINV_GTEST_SOURCE_DIR}/CMakeLists.txt")
    message(FATAL_ERROR "MATINV_GTEST_SOURCE_DIR=${MATINV_GTEST_SOURCE_DIR} holds no GoogleTest sources")
  endif()
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${MATINV_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  set(MATINV_BUILD_TESTS ON)
elseif(MATINV_TESTS STREQUAL "AUTO")
  find_package(GTest QUIET)
  set(MATINV_BUILD_TESTS ${GTest_FOUND})
  if(NOT GTest_FOUND)
    message(STATUS "GoogleTest not found: the tests are not built (-DMATINV_TESTS=ON insists on them)")
  endif()
else()
  find_package(GTest QUIET)
  if(NOT GTest_FOUND)
    message(FATAL_ERROR
      "The tests need GoogleTest, which was not found. Install it "
      "(Debian, Ubuntu: apt-get install libgtest-dev; Fedora: dnf install gtest-devel; "
      "macOS: brew install googletest) or point CMAKE_PREFIX_PATH at it, "
      "or configure without -DMATINV_TESTS=ON to build the program alone.")
  endif()
  set(MATINV_BUILD_TESTS ON)
endif()
if(MATINV_BUILD_TESTS)
  include(GoogleTest)
endif()

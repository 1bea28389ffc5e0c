# Finds GoogleTest when BUILD_TESTING is on, and fails naming it when it is
# missing, rather than building the program alone.
#
# MATINV_GTEST_SOURCE_DIR builds GoogleTest from its sources inside this
# build instead. The libc++ and cross builds need that: a prebuilt libgtest
# is compiled against one standard library for one architecture (Debian's
# is libstdc++ on the host), and its symbols do not link into a program
# built against another. Debian's libgtest-dev ships the sources in
# /usr/src/googletest.
set(MATINV_GTEST_SOURCE_DIR "" CACHE PATH "Build GoogleTest from these sources instead of finding an installed one")

if(NOT BUILD_TESTING)
  return()
endif()

if(MATINV_GTEST_SOURCE_DIR)
  if(NOT EXISTS "${MATINV_GTEST_SOURCE_DIR}/CMakeLists.txt")
    message(FATAL_ERROR "MATINV_GTEST_SOURCE_DIR=${MATINV_GTEST_SOURCE_DIR} holds no GoogleTest sources")
  endif()
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${MATINV_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  find_package(GTest QUIET)
  if(NOT GTest_FOUND)
    message(FATAL_ERROR
      "The tests need GoogleTest, which was not found. Install it "
      "(Debian, Ubuntu: apt-get install libgtest-dev; Fedora: dnf install gtest-devel; "
      "macOS: brew install googletest) or point CMAKE_PREFIX_PATH at it, "
      "or configure without -DBUILD_TESTING=ON to build the program alone.")
  endif()
endif()
include(GoogleTest)

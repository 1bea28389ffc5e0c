# Tests that hold the fast paths of the reader and the writer to the exact
# results of strtod and printf. Included from the top-level CMakeLists.
find_package(GTest REQUIRED)
include(GoogleTest)

add_executable(matinv_fast_path_tests
  ${CMAKE_CURRENT_LIST_DIR}/number_conversion_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/reader_buffering_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/row_prompts_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fixed_format_test.cpp
)
target_link_libraries(matinv_fast_path_tests PRIVATE matinv_core GTest::gtest_main)
gtest_discover_tests(matinv_fast_path_tests TEST_PREFIX "fast_path.")

# Properties of the inversion checked on many generated matrices.
find_package(GTest REQUIRED)
include(GoogleTest)

add_executable(inversion_property_test ${CMAKE_CURRENT_LIST_DIR}/inversion_property_test.cpp)
target_link_libraries(inversion_property_test PRIVATE matinv_core GTest::gtest_main)
gtest_discover_tests(inversion_property_test DISCOVERY_MODE PRE_TEST)

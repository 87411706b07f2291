# Host tree: the portable core with its unit tests (also built with sanitizers).
find_package(GTest REQUIRED)
find_package(Threads REQUIRED)

file(GLOB QR_HOST_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/host/*.cpp)
add_executable(qr_host_tests ${QR_HOST_TESTS} ${QR_SHARED_TESTS})
target_include_directories(qr_host_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(qr_host_tests PRIVATE qr_core GTest::gtest GTest::gtest_main Threads::Threads)
add_test(NAME host_unit_tests COMMAND qr_host_tests --gtest_brief=1)

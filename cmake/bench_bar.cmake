# Bar window benchmarks (bench/run_bar_bench.sh), built on demand: the
# target bar_bench_programs makes them; nothing here is part of the tests.
#   baseline_dialog    an empty dialog, the start-up the bar is compared with
#   bar_startup_probe  waits for a program's window to be painted
#   bar_handles_bench  the bar window in-process, GDI/USER objects and memory
#                      over many bar switches and rebuilds
add_executable(baseline_dialog WIN32 EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/baseline_dialog_win.cpp)
target_link_libraries(baseline_dialog PRIVATE user32)

add_executable(bar_startup_probe EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/bar_startup_probe_win.cpp)
target_include_directories(bar_startup_probe PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(bar_startup_probe PRIVATE user32 kernel32)

add_executable(bar_handles_bench EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/bar_handles_bench_win.cpp ${QR_RESOURCES})
target_link_libraries(bar_handles_bench PRIVATE ${QR_LIBS} psapi)

add_custom_target(bar_bench_programs DEPENDS baseline_dialog bar_startup_probe bar_handles_bench Orvantis qrdriver)
if(TARGET installer)
  add_dependencies(bar_bench_programs installer)
endif()

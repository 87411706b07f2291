# Benchmarks (bench/). Never run by the tests: timings are not asserted.
# Host tree: qr_host_bench, Google Benchmark over the in-memory storage (build
# it in a Release tree for meaningful figures). Windows tree:
# qr_win_db_save_bench, timed under Wine on the real ole32, which prints the
# program's save beside a direct-mode save written the plain way.
include_guard(GLOBAL)

# bench/ also holds the bar window's timing programs (cmake/bench_bar.cmake),
# so the database benchmarks name their files.
set(QR_BENCH_SUPPORT ${CMAKE_SOURCE_DIR}/bench/sample_database.cpp)
set(QR_BENCH_PORTABLE ${CMAKE_SOURCE_DIR}/bench/record_bench.cpp ${CMAKE_SOURCE_DIR}/bench/database_bench.cpp
    ${QR_BENCH_SUPPORT})

if(WIN32)
  if(EXISTS ${CMAKE_SOURCE_DIR}/bench/db_save_bench_win.cpp AND TARGET qr_db)
    add_executable(qr_win_db_save_bench ${CMAKE_SOURCE_DIR}/bench/db_save_bench_win.cpp
                   ${CMAKE_SOURCE_DIR}/bench/db_raw_floors_win.cpp ${QR_BENCH_SUPPORT})
    target_include_directories(qr_win_db_save_bench PRIVATE ${CMAKE_SOURCE_DIR}/bench)
    target_link_libraries(qr_win_db_save_bench PRIVATE qr_db ${QR_SYSTEM_LIBS})
    # The bar benchmark prints its load row beside the start-up rows.
    if(TARGET bar_bench_programs)
      add_dependencies(bar_bench_programs qr_win_db_save_bench)
    endif()
  endif()
  # The buttons manager opened and closed with OK on 128 x 64, beside a bare
  # tree fill and a direct-mode save; the bar's three menus opened 200 times.
  if(TARGET qr_editing)
    add_executable(qr_win_manager_bench EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/manager_bench_win.cpp
                   ${CMAKE_SOURCE_DIR}/bench/db_raw_floors_win.cpp ${QR_BENCH_SUPPORT} ${QR_RESOURCES})
    target_include_directories(qr_win_manager_bench PRIVATE ${CMAKE_SOURCE_DIR}/bench)
    target_link_libraries(qr_win_manager_bench PRIVATE ${QR_LIBS})
  endif()
  if(TARGET qr_barwnd)
    add_executable(qr_win_menus_bench EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/bar_menus_bench_win.cpp ${QR_RESOURCES})
    target_link_libraries(qr_win_menus_bench PRIVATE ${QR_LIBS} psapi)
  endif()
else()
  find_package(benchmark QUIET)
  if(benchmark_FOUND AND TARGET qr_db)
    add_executable(qr_host_bench ${QR_BENCH_PORTABLE})
    # The in-memory file and storage doubles come from tests/support.
    target_include_directories(qr_host_bench PRIVATE ${CMAKE_SOURCE_DIR}/bench ${CMAKE_SOURCE_DIR}/tests)
    target_link_libraries(qr_host_bench PRIVATE qr_db ${QR_SUPPORT_LIB} benchmark::benchmark benchmark::benchmark_main)
  else()
    message(STATUS "Host benchmarks skipped: Google Benchmark (libbenchmark-dev) not found")
  endif()
endif()

# Every benchmark program in this tree, built (never run) by `make test`, so
# that none falls behind the code it measures.
add_custom_target(benchmarks)
foreach(program qr_host_bench qr_win_db_save_bench qr_win_manager_bench qr_win_menus_bench bar_bench_programs)
  if(TARGET ${program})
    add_dependencies(benchmarks ${program})
  endif()
endforeach()

# Bar window benchmarks (bench/run_bar_bench.sh), built on demand: the
# target bar_bench_programs makes them; nothing here is part of the tests.
#   baseline_dialog    an empty dialog, the start-up the bar is compared with
#   baseline_dialog_imports  the same with the program's system libraries
#   baseline_clock     a bare window ticking a date and a time: the idle floor
#   bar_startup_probe  waits for a program's window to be painted
#   bar_handles_bench  the bar window in-process, GDI/USER objects and memory
#                      over many bar switches and rebuilds
add_executable(baseline_dialog WIN32 EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/baseline_dialog_win.cpp)
target_link_libraries(baseline_dialog PRIVATE user32)

# The idle floor: a bare window that ticks and repaints a date and a time.
add_executable(baseline_clock WIN32 EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/baseline_clock_win.cpp)
target_link_libraries(baseline_clock PRIVATE user32 gdi32)

# The same dialog loading the program's system libraries and manifest: the
# system's share of the program's start-up time and memory.
add_executable(baseline_dialog_imports WIN32 EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/baseline_dialog_win.cpp
               ${CMAKE_SOURCE_DIR}/bench/baseline_manifest.rc)
target_compile_definitions(baseline_dialog_imports PRIVATE QR_BASELINE_IMPORTS)
target_link_libraries(baseline_dialog_imports PRIVATE ${QR_SYSTEM_LIBS})

add_executable(bar_startup_probe EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/bar_startup_probe_win.cpp)
target_include_directories(bar_startup_probe PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(bar_startup_probe PRIVATE user32 kernel32)

add_executable(bar_handles_bench EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/bar_handles_bench_win.cpp ${QR_RESOURCES})
target_link_libraries(bar_handles_bench PRIVATE ${QR_LIBS} psapi)

add_custom_target(bar_bench_programs DEPENDS baseline_dialog baseline_dialog_imports baseline_clock bar_startup_probe bar_handles_bench Orvantis qrdriver)
if(TARGET installer)
  add_dependencies(bar_bench_programs installer)
endif()

# The start-up trace: OrvantisTrace.exe is the program built once more with
# QR_STARTUP_TRACE, so that start-up and the bar window print a timestamp at
# each phase (bench/startup_trace_win.cpp). Only start-up and the bar window
# carry trace points; the other layers are the program's own libraries. The
# shipped Orvantis.exe is built without any of it.
set(QR_TRACE_APP_SOURCES "")
file(GLOB QR_TRACE_APP_CANDIDATES ${CMAKE_SOURCE_DIR}/src/app/*.cpp)
foreach(f ${QR_TRACE_APP_CANDIDATES})
  get_filename_component(name ${f} NAME)
  if(NOT name STREQUAL "main_win.cpp")
    list(APPEND QR_TRACE_APP_SOURCES ${f})
  endif()
endforeach()
file(GLOB_RECURSE QR_TRACE_BARWND_SOURCES ${CMAKE_SOURCE_DIR}/src/barwnd/*.cpp)

add_library(qr_barwnd_traced STATIC EXCLUDE_FROM_ALL ${QR_TRACE_BARWND_SOURCES})
target_include_directories(qr_barwnd_traced PUBLIC ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/res)
target_compile_definitions(qr_barwnd_traced PRIVATE QR_STARTUP_TRACE)
target_link_libraries(qr_barwnd_traced PUBLIC qr_platform qr_core qr_db qr_icons qr_clock qr_widgets qr_editing qr_options
                      ${QR_SYSTEM_LIBS})

add_library(qr_app_traced STATIC EXCLUDE_FROM_ALL ${QR_TRACE_APP_SOURCES})
target_include_directories(qr_app_traced PUBLIC ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/res)
target_compile_definitions(qr_app_traced PRIVATE QR_STARTUP_TRACE)
target_link_libraries(qr_app_traced PUBLIC qr_barwnd_traced)

add_executable(OrvantisTrace WIN32 EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/src/app/main_win.cpp
               ${CMAKE_SOURCE_DIR}/bench/startup_trace_win.cpp ${QR_RESOURCES})
target_compile_definitions(OrvantisTrace PRIVATE QR_STARTUP_TRACE)
target_link_libraries(OrvantisTrace PRIVATE qr_app_traced)
target_link_options(OrvantisTrace PRIVATE ${QR_IMAGE_LINK_OPTIONS})
add_dependencies(bar_bench_programs OrvantisTrace)

# Answers the bar's exit question, or sends it the end of the logon, and
# prints when (bench/bar_exit_probe_win.cpp).
add_executable(bar_exit_probe EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/bar_exit_probe_win.cpp)
target_include_directories(bar_exit_probe PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(bar_exit_probe PRIVATE user32 kernel32)
add_dependencies(bar_bench_programs bar_exit_probe)

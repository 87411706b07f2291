# Windows tree: the program, the Windows tests run under Wine, the driver, the help
# file and the installer.
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${CMAKE_SOURCE_DIR}/res -I${CMAKE_BINARY_DIR}")

set(QR_RESOURCES ${CMAKE_SOURCE_DIR}/res/orvantis.rc)
file(GLOB QR_RESOURCE_DEPS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/*.rc ${CMAKE_SOURCE_DIR}/res/*.h
     ${CMAKE_SOURCE_DIR}/res/*.manifest ${CMAKE_SOURCE_DIR}/res/art/*)
set_source_files_properties(${QR_RESOURCES} PROPERTIES OBJECT_DEPENDS "${QR_RESOURCE_DEPS}")

add_executable(Orvantis WIN32 ${CMAKE_SOURCE_DIR}/src/app/main_win.cpp ${QR_RESOURCES})
target_link_libraries(Orvantis PRIVATE ${QR_LIBS})
# Lean image: no debug sections (those of the static runtime libraries would be
# loaded with the program), and sections at page boundaries in the file, so
# that the loader maps the image instead of copying all of it into memory.
set(QR_IMAGE_LINK_OPTIONS -s -Wl,--file-alignment,4096)
target_link_options(Orvantis PRIVATE ${QR_IMAGE_LINK_OPTIONS})

# GoogleTest from the sources Debian's googletest package installs, built with mingw.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
foreach(t gtest gtest_main gmock gmock_main)
  target_compile_options(${t} PRIVATE -w)
endforeach()
set(QR_TEST_LIBS gtest gtest_main gmock ${QR_LIBS})

foreach(sub ${QR_SUBSYSTEMS})
  if(TARGET qr_${sub})
    qr_subsystem_tests(win ${sub} ${QR_RESOURCES})
  endif()
endforeach()

# The driver the end-to-end scenarios steer the program with.
file(GLOB QR_DRIVER_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/driver/*.cpp)
if(QR_DRIVER_SOURCES)
  add_executable(qrdriver ${QR_DRIVER_SOURCES})
  target_include_directories(qrdriver PRIVATE ${CMAKE_SOURCE_DIR}/tests/driver)
  target_link_libraries(qrdriver PRIVATE ${QR_SYSTEM_LIBS})
endif()

# The import table may name only Windows system libraries.
add_test(NAME exe_imports_only_system_dlls
         COMMAND ${CMAKE_SOURCE_DIR}/tests/check-imports.sh ${CMAKE_OBJDUMP} $<TARGET_FILE:Orvantis>)

include(${CMAKE_SOURCE_DIR}/cmake/package.cmake OPTIONAL)
include(${CMAKE_SOURCE_DIR}/cmake/e2e.cmake OPTIONAL)
include(${CMAKE_SOURCE_DIR}/cmake/tools.cmake OPTIONAL)
include(${CMAKE_SOURCE_DIR}/cmake/bench_bar.cmake OPTIONAL)

# Test tools built in the Windows tree beside the program.
# qrdbmake writes a button database from a small text description, through the
# program's own database code (ole32 structured storage).
add_executable(qrdbmake ${CMAKE_SOURCE_DIR}/tests/tools/qrdbmake_win.cpp)
target_link_libraries(qrdbmake PRIVATE qr_db)

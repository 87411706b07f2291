# End-to-end scenarios: each tests/e2e/test_*.py runs in its own Wine session
# against the installer and the program of this tree, steered by qrdriver.
file(GLOB QR_E2E_SCENARIOS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/test_*.py)
foreach(scenario ${QR_E2E_SCENARIOS})
  get_filename_component(name ${scenario} NAME_WE)
  # A scenario that needs a session of its own kind (two monitors) says so
  # in a line "# session: NAME=value".
  file(STRINGS ${scenario} session REGEX "^# session: " LIMIT_COUNT 1)
  string(REPLACE "# session: " ";" session "${session}")
  add_test(NAME e2e_${name}
           COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-session.sh /usr/bin/python3 ${scenario})
  set_tests_properties(e2e_${name} PROPERTIES
    TIMEOUT 600
    ENVIRONMENT "QR_BUILD_DIR=${CMAKE_BINARY_DIR};QR_SCREENSHOT_DIR=${CMAKE_BINARY_DIR}/screenshots;PYTHONDONTWRITEBYTECODE=1${session}")
endforeach()

# An independent compound-file reader checks the bytes the ole32 code writes.
add_test(NAME e2e_db_olefile
         COMMAND /usr/bin/python3 ${CMAKE_SOURCE_DIR}/tests/e2e/db_olefile_check.py
                 $<TARGET_FILE:qr_win_db_tests> ${CMAKE_SOURCE_DIR}/scripts/wine-run.sh)
set_tests_properties(e2e_db_olefile PROPERTIES TIMEOUT 300)

# What users get: the compiled help file and the installer that carries the
# program, the help file and the web-site shortcut. Included by the Windows tree.

find_program(QR_CHMCMD chmcmd)
find_program(QR_MAKENSIS makensis)
if(NOT QR_CHMCMD OR NOT QR_MAKENSIS)
  message(WARNING "chmcmd or makensis is missing: no help file and no installer "
                  "(scripts/bootstrap.sh installs fp-utils and nsis)")
  return()
endif()

# chmcmd writes next to its project file, so the topics are compiled from a copy
# inside the build tree.
file(GLOB QR_HELP_SOURCES CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/help/*.htm ${CMAKE_SOURCE_DIR}/help/*.css ${CMAKE_SOURCE_DIR}/help/*.png
     ${CMAKE_SOURCE_DIR}/help/*.hhp ${CMAKE_SOURCE_DIR}/help/*.hhc ${CMAKE_SOURCE_DIR}/help/*.hhk)
set(QR_HELP_WORK ${CMAKE_BINARY_DIR}/help-src)
set(QR_CHM ${CMAKE_BINARY_DIR}/Orvantis.chm)
add_custom_command(
  OUTPUT ${QR_CHM}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${QR_HELP_WORK}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${QR_HELP_WORK}
  COMMAND ${CMAKE_COMMAND} -E copy ${QR_HELP_SOURCES} ${QR_HELP_WORK}
  COMMAND ${CMAKE_COMMAND} -E chdir ${QR_HELP_WORK} ${QR_CHMCMD} --verbosity 1 orvantis.hhp
  COMMAND ${CMAKE_COMMAND} -E copy ${QR_HELP_WORK}/Orvantis.chm ${QR_CHM}
  DEPENDS ${QR_HELP_SOURCES}
  COMMENT "Compiling the help file Orvantis.chm"
  VERBATIM)
# "help" is a name CMake keeps for its own list of targets.
add_custom_target(helpfile ALL DEPENDS ${QR_CHM})

set(QR_NSI ${CMAKE_SOURCE_DIR}/installer/orvantis.nsi)
set(QR_URL_FILE "${CMAKE_SOURCE_DIR}/installer/Orvantis.Quickrail Web Site.url")
set(QR_SETUP ${CMAKE_BINARY_DIR}/Orvantis-Setup.exe)
add_custom_command(
  OUTPUT ${QR_SETUP}
  COMMAND ${QR_MAKENSIS} -V2 -NOCD
          "-DQR_EXE=$<TARGET_FILE:Orvantis>"
          "-DQR_CHM=${QR_CHM}"
          "-DQR_URL=${QR_URL_FILE}"
          "-DQR_ICON=${CMAKE_SOURCE_DIR}/res/art/app.ico"
          "-DQR_SIDE_BITMAP=${CMAKE_SOURCE_DIR}/res/art/setupside.bmp"
          "-DQR_OUTFILE=${QR_SETUP}"
          ${QR_NSI}
  DEPENDS ${QR_NSI} ${QR_URL_FILE} ${QR_CHM} Orvantis
          ${CMAKE_SOURCE_DIR}/res/art/app.ico ${CMAKE_SOURCE_DIR}/res/art/setupside.bmp
  COMMENT "Building the installer Orvantis-Setup.exe"
  VERBATIM)
add_custom_target(installer ALL DEPENDS ${QR_SETUP})

# The installer in a fresh Wine session: silent install, what lands on disk and in
# the registry, then a silent uninstall that has to take it all away again.
add_test(NAME installer_silent
         COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-session.sh
                 /usr/bin/python3 ${CMAKE_SOURCE_DIR}/tests/e2e/installer_silent.py ${QR_SETUP})
set_tests_properties(installer_silent PROPERTIES TIMEOUT 600)

# The help file holds every topic the program opens, and its links all resolve.
find_program(QR_CHMLS chmls)
if(QR_CHMLS)
  add_test(NAME help_topics
           COMMAND /usr/bin/python3 ${CMAKE_SOURCE_DIR}/tests/e2e/installer_help_topics.py ${QR_CHM})
endif()

# comdlg32 is loaded when a file, colour or font dialog is first opened, not at
# start: the bar's first frame needs none of it, and loading it (with the print
# spooler libraries it brings along) costs start-up time and memory. dlltool
# makes a delay-import library of the functions the program calls; the loader
# helper comes with the runtime (libmingwex). A function missing from this list
# shows up as an undefined symbol when linking.
set(QR_DELAY_COMDLG32_DEF ${CMAKE_BINARY_DIR}/comdlg32_delay.def)
set(QR_DELAY_COMDLG32_LIB ${CMAKE_BINARY_DIR}/libcomdlg32_delay.a)
file(WRITE ${QR_DELAY_COMDLG32_DEF}.in
     "LIBRARY COMDLG32.DLL\nEXPORTS\nChooseColorA@4\nChooseFontA@4\nGetOpenFileNameA@4\nGetSaveFileNameA@4\n")
configure_file(${QR_DELAY_COMDLG32_DEF}.in ${QR_DELAY_COMDLG32_DEF} COPYONLY)
find_program(QR_DLLTOOL NAMES ${CMAKE_DLLTOOL} i686-w64-mingw32-dlltool REQUIRED)
add_custom_command(OUTPUT ${QR_DELAY_COMDLG32_LIB}
                   COMMAND ${QR_DLLTOOL} --kill-at --input-def ${QR_DELAY_COMDLG32_DEF}
                           --output-delaylib ${QR_DELAY_COMDLG32_LIB} --dllname COMDLG32.DLL
                   DEPENDS ${QR_DELAY_COMDLG32_DEF}
                   COMMENT "Delay-import library of comdlg32")
add_custom_target(qr_comdlg32_delay_lib DEPENDS ${QR_DELAY_COMDLG32_LIB})
add_library(qr_comdlg32_delay STATIC IMPORTED GLOBAL)
set_target_properties(qr_comdlg32_delay PROPERTIES IMPORTED_LOCATION ${QR_DELAY_COMDLG32_LIB})
add_dependencies(qr_comdlg32_delay qr_comdlg32_delay_lib)

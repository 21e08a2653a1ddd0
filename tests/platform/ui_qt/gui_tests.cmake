# Tests that show widgets run under Qt's offscreen platform and carry the label "gui", so
# that a run with `ctest -LE gui` (the sanitizer pass) leaves them out.
#
# feriant_gui_tests(<target>): for the GoogleTest executable <target> made with
# feriant_add_test. Its tests are discovered when CTest runs, so the labels are set by a
# CTest script included after the discovery script, from the list discovery leaves in
# <target>_TESTS.
function(feriant_gui_tests target)
  set(_script "${CMAKE_CURRENT_BINARY_DIR}/${target}_gui.cmake")
  file(WRITE "${_script}"
    "if(${target}_TESTS)\n"
    "  set_tests_properties(\${${target}_TESTS} PROPERTIES LABELS gui\n"
    "    ENVIRONMENT \"FERIANT_TEST=1;QT_QPA_PLATFORM=offscreen\")\n"
    "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${_script}")
endfunction()

# One ctest test per end-to-end case, each in a fresh Wine prefix of its own. The cases are
# found in tests/e2e/cases_*.cpp by their E2E_CASE(name) lines, so adding a case needs no list.
file(GLOB MORVELIN_E2E_CASE_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/cases_*.cpp)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${MORVELIN_E2E_CASE_FILES})
set(MORVELIN_E2E_CASES)
foreach(case_file IN LISTS MORVELIN_E2E_CASE_FILES)
  file(STRINGS ${case_file} case_lines REGEX "^E2E_CASE\\([A-Za-z0-9_]+\\)")
  foreach(line IN LISTS case_lines)
    string(REGEX REPLACE "^E2E_CASE\\(([A-Za-z0-9_]+)\\).*" "\\1" case_name "${line}")
    list(APPEND MORVELIN_E2E_CASES ${case_name})
  endforeach()
endforeach()
foreach(case IN LISTS MORVELIN_E2E_CASES)
  add_test(NAME e2e.${case}
    COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/run-case ${case}
      $<TARGET_FILE:e2e_driver> $<TARGET_FILE:morvelin> $<TARGET_FILE:marker>
      ${CMAKE_BINARY_DIR}/e2e)
  # Each case brings its own display and prefix, so cases run side by side.
  set_tests_properties(e2e.${case} PROPERTIES TIMEOUT 600)
endforeach()

# One ctest test per end-to-end case; each runs in a fresh Wine prefix of its own.
set(MORVELIN_E2E_CASES
  first_start
)
foreach(case IN LISTS MORVELIN_E2E_CASES)
  add_test(NAME e2e.${case}
    COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/run-case ${case}
      $<TARGET_FILE:e2e_driver> $<TARGET_FILE:morvelin> $<TARGET_FILE:marker>
      ${CMAKE_BINARY_DIR}/e2e)
  set_tests_properties(e2e.${case} PROPERTIES TIMEOUT 600)
endforeach()

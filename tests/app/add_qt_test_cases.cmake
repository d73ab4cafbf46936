# Run by CTest: adds one test per test function of a QtTest executable, as listed by its
# -functions option. Expects qt_test_group, qt_test_executable and qt_test_environment.
if(NOT EXISTS "${qt_test_executable}")
  add_test("${qt_test_group}_NOT_BUILT" "${qt_test_group}_NOT_BUILT")
  return()
endif()

foreach(variable IN LISTS qt_test_environment)
  string(REGEX MATCH "^([^=]+)=(.*)$" ignored "${variable}")
  set(ENV{${CMAKE_MATCH_1}} "${CMAKE_MATCH_2}")
endforeach()
execute_process(COMMAND "${qt_test_executable}" -functions
                OUTPUT_VARIABLE listing ERROR_VARIABLE errors RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  # Shows up as a failing test rather than as no tests at all.
  add_test("${qt_test_group}_LISTING_FAILED" "${qt_test_executable}" -functions)
  set_tests_properties("${qt_test_group}_LISTING_FAILED" PROPERTIES
                       ENVIRONMENT "${qt_test_environment}")
  return()
endif()

string(REGEX MATCHALL "[A-Za-z_][A-Za-z0-9_]*\\(\\)" functions "${listing}")
foreach(function IN LISTS functions)
  string(REPLACE "()" "" function "${function}")
  add_test("${qt_test_group}.${function}" "${qt_test_executable}" "${function}")
  # A modal window that nobody answers must not hold up the whole run.
  set_tests_properties("${qt_test_group}.${function}" PROPERTIES
                       ENVIRONMENT "${qt_test_environment}" TIMEOUT 60)
endforeach()

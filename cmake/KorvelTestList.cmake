# Read by CTest (a TEST_INCLUDE_FILES script that korvel_test() writes per
# family), not by the build: makes one CTest test per test suite of a family's
# executable, named as the suite, which runs the suite's cases in one process.
# Starting a process with Qt, the layers and a sanitizer runtime costs more
# than most cases themselves; one process per suite pays it a quarter as often
# as one per case. A suite named in the family's SPLIT list (its cases wait on
# timers or a silent switch, so together they would be the run's longest test)
# runs case by case instead, as tests named Suite.Case.
#
# Input variables (set by the including script):
#   KORVEL_EXE      the test executable
#   KORVEL_LIST     where the executable's case list is kept between runs
#   KORVEL_FAMILY   the family's name; KORVEL_LABELS its labels
#   KORVEL_TIMEOUT  seconds one case may take; KORVEL_SPLIT the suites run case by case

if(NOT EXISTS "${KORVEL_EXE}")
  add_test(${KORVEL_FAMILY}_NOT_BUILT "${KORVEL_EXE}")
  return()
endif()

# The list is read again only when the executable changed.
if(NOT EXISTS "${KORVEL_LIST}" OR "${KORVEL_EXE}" IS_NEWER_THAN "${KORVEL_LIST}")
  execute_process(
    COMMAND "${KORVEL_EXE}" --gtest_list_tests
    OUTPUT_VARIABLE listing
    RESULT_VARIABLE rc
    TIMEOUT 120)
  if(NOT rc EQUAL 0)
    message(WARNING "${KORVEL_EXE} --gtest_list_tests failed (${rc})")
    add_test(${KORVEL_FAMILY}_LIST_FAILED "${KORVEL_EXE}" --gtest_list_tests)
    return()
  endif()
  file(WRITE "${KORVEL_LIST}" "${listing}")
endif()
file(STRINGS "${KORVEL_LIST}" lines)

# "Suite." opens a suite (parameterised: "Prefix/Suite.  # TypeParam = ..."),
# "  Case" (or "  Case/0  # GetParam() = ...") is one of its cases.
set(suites)
set(suite "")
foreach(line IN LISTS lines)
  string(REGEX REPLACE " *#.*" "" line "${line}")
  if(line MATCHES "^([^ ].*)\\.$")
    set(suite "${CMAKE_MATCH_1}")
    list(APPEND suites "${suite}")
    set(cases_${suite})
  elseif(line MATCHES "^  ([^ ]+)$" AND suite)
    list(APPEND cases_${suite} "${CMAKE_MATCH_1}")
  endif()
endforeach()

set(env "QT_QPA_PLATFORM=offscreen")
foreach(suite IN LISTS suites)
  list(LENGTH cases_${suite} count)
  # (A CTest script runs without policies: no IN_LIST.)
  list(FIND KORVEL_SPLIT "${suite}" split)
  if(split GREATER -1)
    foreach(case IN LISTS cases_${suite})
      add_test("${suite}.${case}" "${KORVEL_EXE}" "--gtest_filter=${suite}.${case}")
      set_tests_properties("${suite}.${case}" PROPERTIES
        ENVIRONMENT "${env}" LABELS "${KORVEL_LABELS}" TIMEOUT ${KORVEL_TIMEOUT}
        # Long waits: start them first, so that the run does not end on them.
        COST 1000)
    endforeach()
  else()
    math(EXPR timeout "${KORVEL_TIMEOUT} * ${count}")
    add_test("${suite}" "${KORVEL_EXE}" "--gtest_filter=${suite}.*")
    set_tests_properties("${suite}" PROPERTIES
      ENVIRONMENT "${env}" LABELS "${KORVEL_LABELS}" TIMEOUT ${timeout} COST ${count})
  endif()
endforeach()

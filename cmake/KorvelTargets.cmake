# The project's own code builds warning-clean with -Wall -Wextra.
function(korvel_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
endfunction()

# korvel_layer(NAME DIR DEPS dep... [EXCLUDE file...])
# One static library per folder, from every .cpp below it; every header is
# included from the repository root ("platform/snmp/CSnmp.h").
function(korvel_layer name dir)
  cmake_parse_arguments(L "" "" "DEPS;EXCLUDE" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/*.cpp)
  foreach(excluded IN LISTS L_EXCLUDE)
    list(REMOVE_ITEM sources ${PROJECT_SOURCE_DIR}/${excluded})
  endforeach()
  if(sources)
    file(GLOB_RECURSE headers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/*.h)
    add_library(${name} STATIC ${sources} ${headers})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${L_DEPS})
    korvel_warnings(${name})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${L_DEPS})
  endif()
endfunction()

# korvel_test(NAME [LABELS label] [TIMEOUT seconds])
# One GoogleTest executable from tests/NAME/*.cpp, linked against every layer.
# Each test case runs as its own CTest test with a headless Qt platform.
# Tests find the sources, the build and (once it exists) the simulated switch
# through the compile definitions below.
function(korvel_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "LABELS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${name}/*.cpp)
  add_executable(test_${name} ${sources})
  target_link_libraries(test_${name} PRIVATE app GTest::gtest GTest::gtest_main GTest::gmock)
  target_include_directories(test_${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  target_compile_definitions(test_${name} PRIVATE
    KORVEL_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    KORVEL_BINARY_DIR="${PROJECT_BINARY_DIR}")
  if(TARGET korvel-sim)
    add_dependencies(test_${name} korvel-sim)
    target_compile_definitions(test_${name} PRIVATE KORVEL_SIM_PATH="$<TARGET_FILE:korvel-sim>")
  endif()
  korvel_warnings(test_${name})
  # gtest_discover_tests passes one value per property: one label per suite,
  # its own name unless the suite asks for another.
  set(labels ${name})
  if(T_LABELS)
    set(labels ${T_LABELS})
  endif()
  gtest_discover_tests(test_${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" LABELS "${labels}" TIMEOUT ${T_TIMEOUT})
endfunction()

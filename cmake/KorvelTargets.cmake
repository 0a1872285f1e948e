# The project's own code builds warning-clean with -Wall -Wextra.
function(korvel_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
endfunction()

# Unity builds: every target the helpers below make compiles its sources in
# batches (CMAKE_UNITY_BUILD, set in the top-level CMakeLists.txt). A source
# that cannot share a batch (file-level statics or macros that clash with a
# neighbour's, or Qt's keyword macros in a file that uses such a word) is left
# out with korvel_no_unity(file...), called in the folder whose CMakeLists.txt
# makes the target, paths relative to the repository root.
function(korvel_no_unity)
  foreach(file IN LISTS ARGN)
    if(NOT IS_ABSOLUTE "${file}")
      set(file ${PROJECT_SOURCE_DIR}/${file})
    endif()
    set_source_files_properties(${file} PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
  endforeach()
endfunction()

# Precompiled headers, compiled once per build folder and shared (REUSE_FROM):
# korvel_pch for the code that uses the widgets layer, korvel_pch_test for the
# test executables (adds GoogleTest). net-snmp stays out: three files include
# it, and its configuration macros would reach every other file.
set(KORVEL_PCH_QT
  <QtCore/QtCore>
  <QtGui/QtGui>
  <QtWidgets/QtWidgets>)
set(KORVEL_PCH_STD
  <algorithm> <atomic> <chrono> <cstdint> <cstdio> <cstdlib> <cstring> <filesystem> <fstream> <functional>
  <map> <memory> <mutex> <optional> <set> <string> <string_view> <thread> <utility> <vector>)
function(korvel_make_pch name)
  if(TARGET ${name})
    return()
  endif()
  cmake_parse_arguments(P "" "" "HEADERS;DEPS" ${ARGN})
  file(WRITE ${PROJECT_BINARY_DIR}/${name}.cpp "// Holds the precompiled header ${name}.\n")
  add_library(${name} OBJECT ${PROJECT_BINARY_DIR}/${name}.cpp)
  target_link_libraries(${name} PRIVATE ${P_DEPS})
  set_target_properties(${name} PROPERTIES AUTOMOC OFF UNITY_BUILD OFF)
  korvel_warnings(${name})
  target_precompile_headers(${name} PRIVATE ${P_HEADERS})
endfunction()

# korvel_use_pch(TARGET [TEST])
function(korvel_use_pch target)
  if(NOT KORVEL_PCH)
    return()
  endif()
  cmake_parse_arguments(U "TEST" "" "" ${ARGN})
  if(U_TEST)
    korvel_make_pch(korvel_pch_test HEADERS ${KORVEL_PCH_STD} ${KORVEL_PCH_QT} <gtest/gtest.h> <gmock/gmock.h>
                    DEPS Qt6::Widgets GTest::gtest GTest::gmock)
    target_precompile_headers(${target} REUSE_FROM korvel_pch_test)
  else()
    korvel_make_pch(korvel_pch HEADERS ${KORVEL_PCH_STD} ${KORVEL_PCH_QT} DEPS Qt6::Widgets)
    target_precompile_headers(${target} REUSE_FROM korvel_pch)
  endif()
endfunction()

# korvel_layer(NAME DIR DEPS dep... [EXCLUDE file...] [NO_UNITY] [NO_PCH])
# One static library per folder, from every .cpp below it; every header is
# included from the repository root ("platform/snmp/CSnmp.h"). NO_UNITY builds
# the folder file by file; NO_PCH keeps the shared precompiled header out (the
# layers below the widgets layer, which do not see QtWidgets).
function(korvel_layer name dir)
  cmake_parse_arguments(L "NO_UNITY;NO_PCH" "" "DEPS;EXCLUDE" ${ARGN})
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
    if(L_NO_UNITY)
      set_target_properties(${name} PROPERTIES UNITY_BUILD OFF)
    endif()
    if(NOT L_NO_PCH)
      korvel_use_pch(${name})
    endif()
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${L_DEPS})
  endif()
endfunction()

# Test executables come in families: one GoogleTest executable per family,
# built from the .cpp files of each of its folders (tests/FOLDER/*.cpp), so
# that linking Qt and the layers is paid once per family, not once per folder.
#
#   korvel_test(FAMILY [FOLDERS folder...] [LABELS label...] [TIMEOUT seconds]
#               [SPLIT suite...])
#
# makes test_FAMILY; without FOLDERS the family is the one folder FAMILY.
# Each test suite runs as one CTest test named as the suite (its cases in one
# process, TIMEOUT seconds for each), except the suites in SPLIT, whose cases
# run one by one as tests named Suite.Case: the suites whose cases mostly wait.
# Each runs with a headless Qt platform and the labels FAMILY and those given. LABELS tsan
# marks the families that the ThreadSanitizer build runs too (scripts/test);
# a ThreadSanitizer build folder defines only those. Tests find the sources,
# the build and the simulated switch through the compile definitions below.
# korvel_use_simulator(TARGET): TARGET starts the simulated switch, found
# through KORVEL_SIM_PATH: KORVEL_TEST_SIMULATOR when set, else this build's
# korvel-sim (built first).
function(korvel_use_simulator target)
  if(KORVEL_TEST_SIMULATOR)
    target_compile_definitions(${target} PRIVATE KORVEL_SIM_PATH="${KORVEL_TEST_SIMULATOR}")
  elseif(TARGET korvel-sim)
    add_dependencies(${target} korvel-sim)
    target_compile_definitions(${target} PRIVATE KORVEL_SIM_PATH="$<TARGET_FILE:korvel-sim>")
  endif()
endfunction()

function(korvel_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "LABELS;FOLDERS;SPLIT" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  if(NOT T_FOLDERS)
    set(T_FOLDERS ${name})
  endif()
  if(KORVEL_SANITIZE STREQUAL "thread" AND NOT "tsan" IN_LIST T_LABELS)
    return()
  endif()
  set(sources)
  foreach(folder IN LISTS T_FOLDERS)
    file(GLOB folder_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
    list(APPEND sources ${folder_sources})
    # Which executable holds the folder's tests, for korvel_test_target().
    set_property(GLOBAL PROPERTY korvel_test_of_${folder} test_${name})
  endforeach()
  add_executable(test_${name} ${sources})
  # The family's files build in unity batches of twelve, taken in order across
  # its folders: a batch parses GoogleTest, Qt and the project's headers once
  # for all its files. So a file-local name must be unique in the family, or
  # live in a namespace of its folder's own (tests/CMakeLists.txt). Against
  # batches of eight, on two cores under the address sanitizer: 25 batches
  # instead of 30, 7% less processor time, the largest batch no slower.
  set_target_properties(test_${name} PROPERTIES UNITY_BUILD_MODE BATCH UNITY_BUILD_BATCH_SIZE 12)
  target_link_libraries(test_${name} PRIVATE app GTest::gtest GTest::gtest_main GTest::gmock)
  target_include_directories(test_${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  target_compile_definitions(test_${name} PRIVATE
    KORVEL_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    KORVEL_BINARY_DIR="${PROJECT_BINARY_DIR}")
  korvel_use_simulator(test_${name})
  korvel_warnings(test_${name})
  # A test fixture in an anonymous namespace is a file's own; in a unity batch
  # the file is an included one, and GCC would warn on every TEST_F of it.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(test_${name} PRIVATE -Wno-subobject-linkage)
  endif()
  # Under a sanitizer the tests' own code builds unoptimised: the program's
  # code they run keeps the build's level, and at -O0 a test file compiles in
  # two thirds of the time.
  if(KORVEL_SANITIZE)
    target_compile_options(test_${name} PRIVATE -O0)
  endif()
  korvel_use_pch(test_${name} TEST)
  if("tsan" IN_LIST T_LABELS)
    add_dependencies(korvel_tsan_tests test_${name})
  endif()
  # CTest lists the executable's suites when it runs (cmake/KorvelTestList.cmake):
  # one test per suite, or per case for the suites in SPLIT.
  set(labels ${name} ${T_LABELS})
  list(REMOVE_DUPLICATES labels)
  set(script ${CMAKE_CURRENT_BINARY_DIR}/test_${name}_tests.cmake)
  string(CONCAT content
    "set(KORVEL_EXE \"$<TARGET_FILE:test_${name}>\")\n"
    "set(KORVEL_LIST \"$<TARGET_FILE:test_${name}>.list\")\n"
    "set(KORVEL_FAMILY \"${name}\")\n"
    "set(KORVEL_LABELS \"${labels}\")\n"
    "set(KORVEL_TIMEOUT ${T_TIMEOUT})\n"
    "set(KORVEL_SPLIT \"${T_SPLIT}\")\n"
    "include(\"${PROJECT_SOURCE_DIR}/cmake/KorvelTestList.cmake\")\n")
  file(GENERATE OUTPUT ${script} CONTENT "${content}")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${script})
endfunction()

# korvel_test_target(FOLDER VAR): VAR names the executable that holds the
# tests of FOLDER, or is empty when this build folder does not build them
# (a ThreadSanitizer build without that family).
function(korvel_test_target folder var)
  get_property(target GLOBAL PROPERTY korvel_test_of_${folder})
  if(target AND NOT TARGET ${target})
    set(target "")
  endif()
  set(${var} ${target} PARENT_SCOPE)
endfunction()

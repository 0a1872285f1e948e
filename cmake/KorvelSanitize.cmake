# Sanitizer builds go into their own build folders (scripts/build --sanitize=...).
# They keep line tables only (-g1): enough for the sanitizers' stack traces,
# and much less to compile, link and load than full debug info. They optimise
# less (-O1): instrumented code at -O2 costs far more to compile, and the
# tests spend their time waiting on the simulated switch, not computing.
if(KORVEL_SANITIZE STREQUAL "address")
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined -g1 -O1)
  add_link_options(-fsanitize=address,undefined)
  if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    # libFuzzer's coverage in every layer, for the fuzz targets to steer by (tests/fuzz).
    add_compile_options(-fsanitize=fuzzer-no-link)
  endif()
elseif(KORVEL_SANITIZE STREQUAL "thread")
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer -g1 -O1)
  add_link_options(-fsanitize=thread)
elseif(NOT KORVEL_SANITIZE STREQUAL "")
  message(FATAL_ERROR "KORVEL_SANITIZE must be empty, 'address' or 'thread'")
endif()

# A faster linker when one is installed (scripts/setup installs lld).
set(KORVEL_LINKER "" CACHE STRING "Linker for -fuse-ld= (mold, lld); empty picks mold, then lld, when installed")
if(NOT KORVEL_LINKER)
  find_program(KORVEL_MOLD mold)
  find_program(KORVEL_LLD ld.lld)
  if(KORVEL_MOLD)
    set(KORVEL_LINKER mold)
  elseif(KORVEL_LLD)
    set(KORVEL_LINKER lld)
  endif()
endif()
if(KORVEL_LINKER)
  add_link_options(-fuse-ld=${KORVEL_LINKER})
endif()

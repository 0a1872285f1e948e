# Sanitizer builds go into their own build folders (scripts/build --sanitize=...).
if(KORVEL_SANITIZE STREQUAL "address")
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
  if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    # libFuzzer's coverage in every layer, for the fuzz targets to steer by (tests/fuzz).
    add_compile_options(-fsanitize=fuzzer-no-link)
  endif()
elseif(KORVEL_SANITIZE STREQUAL "thread")
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
elseif(NOT KORVEL_SANITIZE STREQUAL "")
  message(FATAL_ERROR "KORVEL_SANITIZE must be empty, 'address' or 'thread'")
endif()

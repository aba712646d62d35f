# Instrumented builds. LANTERN_SANITIZE builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer, with GCC or clang. LANTERN_FUZZ (clang only) also gives every
# object libFuzzer's coverage instrumentation and builds the fuzz targets of tests/fuzz/
# as libFuzzer programs.
option(LANTERN_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(LANTERN_FUZZ "Build the libFuzzer targets (clang; implies LANTERN_SANITIZE)" OFF)

if(LANTERN_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "LANTERN_FUZZ needs clang, whose runtime holds libFuzzer")
  endif()
  set(LANTERN_SANITIZE ON)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

if(LANTERN_SANITIZE)
  # Undefined behaviour stops the process, so a test that meets it fails.
  set(LANTERN_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all)
  add_compile_options(${LANTERN_SANITIZER_FLAGS} -fno-omit-frame-pointer)
  add_link_options(${LANTERN_SANITIZER_FLAGS})
endif()
